#include "appsetup.h"

#include "tcolordialog.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

#include <cstdio>

void SetUpApplication() {
    Q_INIT_RESOURCE(marovel);
    PreventQtSettingsFiles();
    QApplication::setApplicationName(QStringLiteral("Marovel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("marovel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/mainicon-32.png")));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // The layout was drawn for "ＭＳ Ｐゴシック"; IPA P Gothic has the same metrics.
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    // Ask for the one family rather than listing them all: listing loads every font's entry.
    if (!QFontDatabase::hasFamily(QStringLiteral("IPAPGothic")))
        std::fprintf(stderr, "Marovel: the font IPAPGothic (Debian package fonts-ipafont-gothic) "
                             "is missing; another font stands in for it.\n");

    auto *qtTexts = new QTranslator(qApp);
    if (qtTexts->load(QStringLiteral("qtbase_ja"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTexts);
}
