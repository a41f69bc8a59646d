#include "tab.h"

#include "plaintexttooltips.h"
#include "syscolors.h"
#include "tablegenerator.h"
#include "tcolordialog.h"

#include <QEvent>
#include <QWindow>

#include <string>

bool RedrawPreview = false;
bool UseHeaderCells = false;
TForm1 *Form1 = nullptr;

namespace {

constexpr int PreviewSize = 150;

AnsiString decimal(int value) {
    return std::to_string(value);
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    // The layout is made for 12-pixel text: sizes are pixels, not points. Set before the
    // controls exist, so none of them is first measured (and its font loaded) in another.
    QFont windowFont(QStringLiteral("ＭＳ Ｐゴシック"));
    windowFont.setPixelSize(12);
    setFont(windowFont);
    setupUi(this);
    applyLook();
    CD1 = new TColorDialog(this);
    bindEvents();
    FormCreate(this);
}

void TForm1::applyLook() {
    QFont titleFont(QStringLiteral("ＭＳ Ｐゴシック"));
    titleFont.setPixelSize(13);
    FontG->setFont(titleFont);
    GTextLabel1->setFont(titleFont);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, ResolveColor(clBtnFace));
    setPalette(pal);
    setAutoFillBackground(true);

    // A screen reader lands on the spin edit's inner box: give it the spin edit's name.
    for (TSpinEdit *spin : findChildren<TSpinEdit *>())
        spin->editor()->setAccessibleName(spin->accessibleName());

    setFixedSize(404, 163);
    move(206, 123);
    new PlainTextToolTips(this);
    scb->setFocus();
}

void TForm1::bindEvents() {
    connect(scb, &TButton::OnClick, this, &TForm1::scbClick);
    connect(tc1b, &TButton::OnClick, this, &TForm1::tc1bClick);
    connect(tc2b, &TButton::OnClick, this, &TForm1::tc2bClick);
    connect(ecb, &TButton::OnClick, this, &TForm1::ecbClick);
    connect(Button2, &TButton::OnClick, this, &TForm1::Button2Click);
    connect(kari, &TEdit::OnChange, this, &TForm1::kariChange);
    connect(haba, &TEdit::OnChange, this, &TForm1::habaChange);
    connect(takasa, &TEdit::OnChange, this, &TForm1::takasaChange);
    connect(k_haba, &TEdit::OnChange, this, &TForm1::yohakuChange);
    connect(yohaku, &TEdit::OnChange, this, &TForm1::yohakuChange);
    connect(haba_tani, &TComboBox::OnChange, this, &TForm1::haba_taniChange);
    connect(takasa_tani, &TComboBox::OnChange, this, &TForm1::takasa_taniChange);
    connect(keisen, &TSpinEdit::OnChange, this, &TForm1::keisenChange);
    connect(tate_b, &TSpinEdit::OnChange, this, &TForm1::tate_bChange);
    connect(yoko_b, &TSpinEdit::OnChange, this, &TForm1::yoko_bChange);
    connect(CheckBox1, &TCheckBox::OnClick, this, &TForm1::CheckBox1Click);
    connect(haba_ud, &TUpDown::OnClick, this, &TForm1::haba_udClick);
    connect(takasa_ud, &TUpDown::OnClick, this, &TForm1::takasa_udClick);
    connect(k_haba_ud, &TUpDown::OnClick, this, &TForm1::k_haba_udClick);
    connect(yohaku_ud, &TUpDown::OnClick, this, &TForm1::yohaku_udClick);
}

void TForm1::html_edit(QObject *) {
    TableSettings settings;
    settings.topLeft = sc->Color();
    settings.topRight = tc1->Color();
    settings.bottomLeft = tc2->Color();
    settings.bottomRight = ec->Color();
    settings.rows = tate_b->Value();
    settings.cols = yoko_b->Value();
    settings.border = keisen->Text();
    settings.width = haba->Text();
    settings.widthUnit = haba_tani->Text();
    settings.height = takasa->Text();
    settings.heightUnit = takasa_tani->Text();
    settings.spacing = k_haba->Text();
    settings.padding = yohaku->Text();
    settings.cellText = kari->Text();
    settings.UseHeaderCells = UseHeaderCells;

    const GeneratedTable table = GenerateTable(settings);

    if (RedrawPreview) {
        TCanvas *canvas = mihon->Canvas();
        canvas->SetBrushColor(clBtnFace);
        canvas->FillRect(0, 0, PreviewSize, PreviewSize);
        // Squares past the 30th row or column fall outside the box; skip them.
        const int shownRows = std::min(table.rows, PreviewSize / 5);
        const int shownCols = std::min(table.cols, PreviewSize / 5);
        for (int r = 0; r < shownRows; ++r) {
            for (int i = 0; i < shownCols; ++i) {
                canvas->SetBrushColor(table.cellColor(r, i));
                canvas->FillRect(5 * i, 5 * r, 5 * (i + 1), 5 * (r + 1));
            }
        }
    }
    html_e->SetTextShowingStart(table.html);
}

void TForm1::regenerate(bool redrawPreview, QObject *Sender) {
    RedrawPreview = redrawPreview;
    html_edit(Sender);
}

void TForm1::FormCreate(QObject *Sender) {
    RedrawPreview = true;
    UseHeaderCells = CheckBox1->Checked();
    html_edit(Sender);
}

void TForm1::pickColor(TPanel *swatch, QObject *Sender) {
    CD1->SetColor(swatch->Color());
    if (!CD1->Execute())
        return;
    swatch->setColor(CD1->Color());
    regenerate(true, Sender);
}

void TForm1::scbClick(QObject *Sender) {
    pickColor(sc, Sender);
}
void TForm1::tc1bClick(QObject *Sender) {
    pickColor(tc1, Sender);
}
void TForm1::tc2bClick(QObject *Sender) {
    pickColor(tc2, Sender);
}
void TForm1::ecbClick(QObject *Sender) {
    pickColor(ec, Sender);
}

void TForm1::kariChange(QObject *Sender) {
    regenerate(false, Sender);
}

void TForm1::habaChange(QObject *Sender) {
    regenerate(false, Sender);
}

void TForm1::takasaChange(QObject *Sender) {
    regenerate(false, Sender);
}

void TForm1::yohakuChange(QObject *Sender) {
    regenerate(false, Sender);
}

void TForm1::haba_taniChange(QObject *Sender) {
    regenerate(false, Sender);
}

void TForm1::takasa_taniChange(QObject *Sender) {
    regenerate(false, Sender);
}

void TForm1::keisenChange(QObject *Sender) {
    if (keisen->Text().empty())
        return;
    regenerate(false, Sender);
}

void TForm1::tate_bChange(QObject *Sender) {
    if (tate_b->Text().empty() || tate_b->Value() > 30)
        return;
    regenerate(true, Sender);
}

void TForm1::yoko_bChange(QObject *Sender) {
    if (yoko_b->Text().empty() || yoko_b->Value() > 30)
        return;
    regenerate(true, Sender);
}

void TForm1::CheckBox1Click(QObject *Sender) {
    UseHeaderCells = CheckBox1->Checked();
    regenerate(true, Sender);
}

void TForm1::haba_udClick(QObject *, TUDBtnType) {
    haba->SetText(decimal(haba_ud->Position()));
}
void TForm1::takasa_udClick(QObject *, TUDBtnType) {
    takasa->SetText(decimal(takasa_ud->Position()));
}
void TForm1::k_haba_udClick(QObject *, TUDBtnType) {
    k_haba->SetText(decimal(k_haba_ud->Position()));
}
void TForm1::yohaku_udClick(QObject *, TUDBtnType) {
    yohaku->SetText(decimal(yohaku_ud->Position()));
}

void TForm1::Button2Click(QObject *) {
    html_e->SelectAll();
    html_e->CopyToClipboard();
}

void TForm1::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    followExposes();
}

void TForm1::followExposes() {
    // The preview must be drawn again whenever the window's own surface is
    // exposed (first showing, uncovering, a dialog closing over it, restoring);
    // Qt reports those to the top-level QWindow only, not as paint events.
    QWindow *window = windowHandle();
    if (window == nullptr || window == exposeSource)
        return;
    exposeSource = window;
    window->installEventFilter(this);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Expose && watched == exposeSource && exposeSource->isExposed())
        FormCreate(this);
    return QWidget::eventFilter(watched, event);
}
