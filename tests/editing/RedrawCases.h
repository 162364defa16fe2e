// The label picture after edits that redraw only part of it must be the
// picture a whole redraw makes, pixel for pixel: a small design of
// overlapping elements, opaque and transparent, edited by mouse, keys, undo,
// the host's own code and a zoom in the middle of a drag. Shared by the
// editing tests and the tests on a screen of ratio 2.
#pragma once

#include "barcode/TKVBarCode.h"
#include "designer/TKVLab.h"
#include "document/TKVLine.h"
#include "document/TKVMeasure.h"
#include "document/TKVObject.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"
#include "rendering/TableDouble.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace RedrawCases {

struct TDesign {
    TKVText* Front = nullptr;   // a bold italic text over the others
    TKVRect* Middle = nullptr;  // a transparent frame between them
    TKVParagraph* Note = nullptr;
    TKVRect* Back = nullptr;    // an opaque rectangle behind them
    TKVLine* Line = nullptr;    // behind everything
};

// Front to back as the document holds them (AddElement puts each behind
// the ones before).
inline TDesign MakeDesign(TKVLab& Lab)
{
    Lab.CreateLab();
    Lab.Measure->SetWidth(100);
    Lab.Measure->SetHeight(50);
    TDesign d;
    auto text = std::make_unique<TKVText>();
    text->Point1 = {20, 15};
    text->Text = QStringLiteral("jota fÁ");
    text->FontHeight = 9;
    text->Bold = true;
    text->Italic = true;
    text->Color = clBlue;
    d.Front = text.get();
    auto turned = std::make_unique<TKVText>();
    turned->Point1 = {45, 45};
    turned->Text = QStringLiteral("Vertical");
    turned->Angle = 90;
    turned->Transparent = false;
    turned->BackColor = TColor(0x80FFFF);
    auto frame = std::make_unique<TKVRect>();
    frame->Point1 = {30, 5};
    frame->Point2 = {80, 40};
    frame->PenWidth = 0.8f;
    frame->Color = clRed;
    frame->Transparent = true;
    d.Middle = frame.get();
    auto bar = std::make_unique<TKVBarCode>();
    bar->Point1 = {55, 20};
    bar->BarType = baEAN13;
    bar->Code = QStringLiteral("4006381333931");
    auto note = std::make_unique<TKVParagraph>();
    note->Point1 = {50, 25};
    note->Point2 = {95, 45};
    note->Text = QStringLiteral("Un párrafo que ocupa varias líneas");
    note->Transparent = false;
    note->BackColor = TColor(0xC0FFC0);
    note->Border = true;
    d.Note = note.get();
    auto back = std::make_unique<TKVRect>();
    back->Point1 = {10, 10};
    back->Point2 = {60, 35};
    back->Transparent = false;
    back->BackColor = TColor(0x00E0FF);
    d.Back = back.get();
    auto line = std::make_unique<TKVLine>();
    line->Point1 = {5, 5};
    line->Point2 = {90, 45};
    line->PenWidth = 0.5f;
    d.Line = line.get();
    Lab.Document->AddElement(std::move(text));
    Lab.Document->AddElement(std::move(turned));
    Lab.Document->AddElement(std::move(frame));
    Lab.Document->AddElement(std::move(bar));
    Lab.Document->AddElement(std::move(note));
    Lab.Document->AddElement(std::move(back));
    Lab.Document->AddElement(std::move(line));
    Lab.PaintLabScreen(true);
    QApplication::processEvents();
    return d;
}

inline QPoint At(const TKVLab& Lab, float X, float Y) { return {Lab.WindowX(X), Lab.WindowY(Y)}; }

inline void Drag(TKVLab& Lab, QPoint From, QPoint To, const std::function<void()>& Midway = {})
{
    QWidget* v = Lab.viewport();
    QTest::mousePress(v, Qt::LeftButton, {}, From);
    for (int i = 1; i <= 4; ++i) {
        QTest::mouseMove(v, From + (To - From) * i / 4);
        if (i == 2 && Midway)
            Midway();
    }
    QTest::mouseRelease(v, Qt::LeftButton, {}, To);
    QApplication::processEvents();
}

inline void Select(TKVLab& Lab, const std::vector<TKVElement*>& Elements)
{
    Lab.SelectElements(Elements);
    Lab.AdjustHandle();
    QApplication::processEvents();
}

struct TCase {
    const char* Name;
    std::function<void(TKVLab& Lab, const TDesign& D)> Edit;
};

inline const std::vector<TCase>& Cases()
{
    static const std::vector<TCase> cases = {
        {"drag the middle element",
         [](TKVLab& L, const TDesign& D) {
             Select(L, {D.Middle});
             Drag(L, At(L, 75, 38), At(L, 62, 30));
             EXPECT_NE(D.Middle->Point1.X, 30) << "the drag moved nothing";
         }},
        {"drag the front text across the others",
         [](TKVLab& L, const TDesign& D) {
             Select(L, {D.Front});
             const QPoint p = QPoint((D.Front->Bounds.Left + D.Front->Bounds.Right) / 2,
                                     (D.Front->Bounds.Top + D.Front->Bounds.Bottom) / 2);
             Drag(L, p, p + QPoint(40, 30));
             EXPECT_NE(D.Front->Point1.X, 20) << "the drag moved nothing";
         }},
        {"drag a group of two, then undo and redo",
         [](TKVLab& L, const TDesign& D) {
             Select(L, {D.Back, D.Middle});
             Drag(L, At(L, 75, 38), At(L, 70, 45));
             EXPECT_NE(D.Back->Point1.X, 10) << "the drag moved nothing";
             L.Undo();
             QApplication::processEvents();
             L.Redo();
             QApplication::processEvents();
         }},
        {"drag, then undo",
         [](TKVLab& L, const TDesign& D) {
             Select(L, {D.Middle});
             Drag(L, At(L, 75, 38), At(L, 50, 20));
             L.Undo();
             QApplication::processEvents();
         }},
        {"arrow keys move the selection",
         [](TKVLab& L, const TDesign& D) {
             Select(L, {D.Note});
             for (int i = 0; i < 3; ++i)
                 L.MoveSelection({-1.5f, -2});
         }},
        {"the host changes fields, then a click selects",
         [](TKVLab& L, const TDesign& D) {
             Select(L, {D.Middle});
             // Nothing tells the control; the next redraw must see both.
             D.Front->Color = TColor(0x008000);
             D.Back->Point1.X += 4;
             QTest::mouseClick(L.viewport(), Qt::LeftButton, {}, At(L, 75, 38));
             QApplication::processEvents();
         }},
        {"the zoom changes in the middle of a drag",
         [](TKVLab& L, const TDesign& D) {
             Select(L, {D.Middle});
             Drag(L, At(L, 75, 38), At(L, 60, 30), [&L] { L.SetZoom(zm200); });
             Select(L, {D.Middle});
             Drag(L, At(L, 75, 38), At(L, 70, 20));
             EXPECT_NE(D.Middle->Point1.X, 30) << "the drag moved nothing";
         }},
        {"a design loaded, then painted",
         [](TKVLab& L, const TDesign& D) {
             const QString file = QDir::temp().filePath(QStringLiteral("kvlab-redraw-%1.lab").arg(QCoreApplication::applicationPid()));
             D.Middle->Point1.X = 33;
             L.SaveLab(file);
             L.LoadLab(file);
             QFile::remove(file);
             // A press before the first paint hits the element where the file has it.
             QTest::mouseClick(L.viewport(), Qt::LeftButton, {}, At(L, 75, 38));
             EXPECT_EQ(L.SelectedElement, L.Document->Items(2));
             EXPECT_EQ(L.Document->Items(2)->Bounds.Left, L.WindowX(33));
             QApplication::processEvents();
         }},
        {"the record stepper over bound elements",
         [](TKVLab& L, const TDesign& D) {
             // The line, past the label's edge, keeps its mark while the
             // records change in front of it; the long name gains one.
             D.Line->Point2 = {130, 45};
             D.Front->UseDaBa = true;
             D.Front->FieldName = QStringLiteral("NOMBRE");
             D.Note->UseDaBa = true;
             D.Note->FieldName = QStringLiteral("NOMBRE");
             L.SetDaBa(true);
             L.Table->DatabaseName = QStringLiteral("db");
             L.Table->TableName = QStringLiteral("personas");
             ASSERT_TRUE(L.ValidData());
             L.PaintLabScreen(true);
             const QImage first = L.LabScreen.copy();
             L.SetShownRecord(2);
             EXPECT_FALSE(first == L.LabScreen) << "the second record shows nothing new";
             for (int r : {3, 1, 3})
                 L.SetShownRecord(r);
             QApplication::processEvents();
         }},
        {"a dialog's change of the selected element",
         [](TKVLab& L, const TDesign& D) {
             Select(L, {D.Note});
             D.Note->Text = QStringLiteral("Otro texto, más corto");
             D.Note->BackColor = TColor(0xFFC0C0);
             L.AdjustHandle();
         }},
    };
    return cases;
}

// What the label picture and the window show now, against what they show
// once the whole picture is drawn again.
inline void ExpectWholeRedraw(TKVLab& Lab)
{
    const QImage label = Lab.LabScreen.copy();
    const QImage screen = Lab.viewport()->grab().toImage();
    Lab.ForgetPicture();
    Lab.PaintLabScreen(true);
    QApplication::processEvents();
    EXPECT_TRUE(label == Lab.LabScreen) << "the label picture differs from a whole redraw";
    EXPECT_TRUE(screen == Lab.viewport()->grab().toImage()) << "the window differs from a whole redraw";
}

inline void RunAll()
{
    // Only the cases that bind elements read it.
    const TableDouble table({{QStringLiteral("NOMBRE"), TKVFieldType::ftString}},
                            {{QStringLiteral("Ana")}, {QStringLiteral("Bartolomé Ruiz de la Peña")}, {QStringLiteral("Eva")}});
    for (const TCase& c : Cases()) {
        SCOPED_TRACE(c.Name);
        TKVLab lab;
        lab.resize(900, 500);
        lab.show();
        QApplication::processEvents();
        const TDesign d = MakeDesign(lab);
        c.Edit(lab, d);
        ExpectWholeRedraw(lab);
    }
}

}
