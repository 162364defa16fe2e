// TKvPrw: the preview window. It shows the pages of the control's last
// preview run one at a time as a sheet on a grey desk, steps through them,
// zooms, fits the page and prints the run again. It never renders a label
// itself; the pages belong to the control.
#pragma once

#include <QDialog>
#include <QRect>

class QLabel;
class QPicture;
class QScrollArea;
class QToolBar;
class QToolButton;
class QFrame;
class TKVLab;

// Fits the content rectangle C into the area A keeping C's aspect ratio,
// centred along the free direction.
QRect FitRect(const QRect& A, const QRect& C);

class TKvPrw : public QDialog
{
    Q_OBJECT

public:
    explicit TKvPrw(TKVLab* Lab, QWidget* Parent = nullptr);

    int CurrentPage = -1;
    int Zoom = 100; // percent
    TKVLab* Lab;

    void Ini();
    void SetZoom(int Value);
    void CheckButtons();
    void ShowPage(int N);

    void PageFirstClick();
    void PageAntClick();
    void PageNextClick();
    void PageLastClick();
    void ShowAllClick();
    void ShowWidthClick();
    void ZoomMinusClick();
    void ZoomPlusClick();
    void PrintClick();
    void CerrarClick();

    QToolButton* PageFirst;
    QToolButton* PageAnt;
    QToolButton* PageNo;
    QToolButton* PageNext;
    QToolButton* PageLast;
    QToolButton* ShowAll;
    QToolButton* ShowWidth;
    QToolButton* ZoomMinus;
    QToolButton* ZoomPlus;
    QToolButton* Print;
    QToolBar* ToolBar1;
    QScrollArea* BackScroll;
    QFrame* pnPaper;
    QLabel* PreviewPaper;

protected:
    void showEvent(QShowEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    // The page's size in screen pixels; empty when no page is shown.
    QSize PictureSize() const;
    void RenderPaper();
    // Tool tips and the page counter, in the library's current language.
    void FillLanguage();
    QPicture* Shown = nullptr;
};
