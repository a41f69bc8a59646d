#pragma once

#include "ui_tab.h"

#include <QWidget>

class TColorDialog;
class TPanel;
class QWindow;

// Unit-level flags that steer html_edit; the handlers write them, the generator reads them.
extern bool RedrawPreview;
extern bool UseHeaderCells;

class TForm1 : public QWidget, public Ui_TForm1 {
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);

    void html_edit(QObject *Sender);
    TColorDialog *colorDialog() const { return CD1; }

public slots:
    void FormCreate(QObject *Sender);
    void scbClick(QObject *Sender);
    void tc1bClick(QObject *Sender);
    void tc2bClick(QObject *Sender);
    void ecbClick(QObject *Sender);
    void kariChange(QObject *Sender);
    void habaChange(QObject *Sender);
    void takasaChange(QObject *Sender);
    void yohakuChange(QObject *Sender);
    void haba_taniChange(QObject *Sender);
    void takasa_taniChange(QObject *Sender);
    void keisenChange(QObject *Sender);
    void tate_bChange(QObject *Sender);
    void yoko_bChange(QObject *Sender);
    void CheckBox1Click(QObject *Sender);
    void haba_udClick(QObject *Sender, TUDBtnType Button);
    void takasa_udClick(QObject *Sender, TUDBtnType Button);
    void k_haba_udClick(QObject *Sender, TUDBtnType Button);
    void yohaku_udClick(QObject *Sender, TUDBtnType Button);
    void Button2Click(QObject *Sender);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void applyLook();
    void bindEvents();
    void pickColor(TPanel *swatch, QObject *Sender);
    // Every regenerating handler ends here: the flag first, then the generator.
    void regenerate(bool redrawPreview, QObject *Sender);
    void followExposes();

    TColorDialog *CD1 = nullptr;
    QWindow *exposeSource = nullptr;
};

// The one main window, from its creation at start-up to the end of the run.
extern TForm1 *Form1;
