// The label picture after edits that redraw only part of it must be the
// picture a whole redraw makes, pixel for pixel: a small design of
// overlapping elements, opaque and transparent, edited by mouse, keys, undo,
// the host's own code and a zoom in the middle of a drag. Shared by the
// editing tests and the tests on a screen of ratio 2.
#pragma once

#include "barcode/TKVBarCode.h"
#include "designer/TKVDrawThread.h"
#include "designer/TKVLab.h"
#include "document/TKVLine.h"
#include "document/TKVMeasure.h"
#include "document/TKVObject.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVSymbol.h"
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
             const int whole = L.WholeCount;
             L.Undo();
             QApplication::processEvents();
             EXPECT_EQ(L.WholeCount, whole) << "the undo drew the whole label, not what it changed";
         }},
        {"arrow keys move the selection",
         [](TKVLab& L, const TDesign& D) {
             Select(L, {D.Note});
             for (int i = 0; i < 3; ++i)
                 L.MoveSelection({-1.5f, -2});
         }},
        {"an arrow key moves the back-most element",
         [](TKVLab& L, const TDesign& D) {
             Select(L, {D.Line});
             const int whole = L.WholeCount;
             L.MoveSelection({2, 1});
             QApplication::processEvents();
             EXPECT_EQ(L.WholeCount, whole) << "the move drew the whole label, not what it changed";
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
             // An undo reads the design again, and the rows with it: the
             // shown one changed meanwhile. The step undone is far from
             // the bound elements, which show the new row all the same.
             auto corner = std::make_unique<TKVRect>();
             corner->Point1 = {1, 41};
             corner->Point2 = {4, 48};
             TKVRect* moved = corner.get();
             L.Document->Elements.insert(L.Document->Elements.begin(), std::move(corner));
             L.PaintLabScreen(true);
             Select(L, {moved});
             L.MoveSelection({0.5f, 0});
             QApplication::processEvents();
             TKVTable::SetDataSetFactory([](const QString&, const QString&, const QString&) {
                 return std::make_unique<MemoryDataSet>(
                     std::vector<std::pair<QString, TKVFieldType>>{{QStringLiteral("NOMBRE"), TKVFieldType::ftString}},
                     std::vector<std::vector<QVariant>>{
                         {QStringLiteral("Ana")}, {QStringLiteral("Bartolomé")}, {QStringLiteral("Eva María Gil")}});
             });
             const int whole = L.WholeCount;
             L.Undo();
             QApplication::processEvents();
             EXPECT_EQ(L.WholeCount, whole) << "the undo drew the whole label, not what it changed";
             EXPECT_EQ(L.GetShownRecord(), 3);
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
    const auto overhanging = [&Lab] {
        std::vector<int> places;
        for (const TKVElement* e : Lab.Overhanging())
            places.push_back(Lab.Document->IndexOf(e));
        return places;
    };
    const std::vector<int> marked = overhanging();
    Lab.ForgetPicture();
    Lab.PaintLabScreen(true);
    QApplication::processEvents();
    EXPECT_TRUE(label == Lab.LabScreen) << "the label picture differs from a whole redraw";
    EXPECT_TRUE(screen == Lab.viewport()->grab().toImage()) << "the window differs from a whole redraw";
    EXPECT_EQ(marked, overhanging()) << "other elements overhang than after a whole redraw";
}

// The small design with 1,200 more elements behind it, some of them past
// the label's edge: crowded enough to be drawn on two threads.
inline TDesign MakeCrowded(TKVLab& Lab, bool TwoThreads)
{
    Lab.TwoThreads = TwoThreads;
    const TDesign d = MakeDesign(Lab);
    static const char* const fonts[] = {"DejaVu Sans", "Liberation Serif", "DejaVu Sans Mono"};
    for (int i = 0; i < 1200; ++i) {
        const TPoint2D p{float(i * 37 % 105) - 3, float(i * 53 % 52) - 1};
        std::unique_ptr<TKVElement> e;
        switch (i % 6) {
        case 0:
        case 1: {
            auto t = std::make_unique<TKVText>();
            t->Text = QStringLiteral("Texto %1").arg(i);
            t->FontName = QString::fromLatin1(fonts[i % 3]);
            t->FontHeight = 2.5f + float(i % 4);
            t->Bold = i % 5 == 0;
            t->Angle = i % 7 == 0 ? 90 : 0;
            t->Transparent = i % 3 != 0;
            t->BackColor = TColor(0xF0E0D0 + i);
            e = std::move(t);
            break;
        }
        case 2: {
            auto r = std::make_unique<TKVRect>();
            r->Point2 = {p.X + float(i % 9) + 2, p.Y + float(i % 5) + 1};
            r->Transparent = i % 4 == 0;
            r->BackColor = TColor(i * 0x10203 & 0xFFFFFF);
            e = std::move(r);
            break;
        }
        case 3: {
            auto l = std::make_unique<TKVLine>();
            l->Point2 = {p.X + float(i % 11), p.Y + float(i % 7) - 3};
            l->PenWidth = float(i % 4) / 10;
            e = std::move(l);
            break;
        }
        case 4: {
            auto n = std::make_unique<TKVParagraph>();
            n->Point2 = {p.X + 12, p.Y + 8};
            n->Text = QStringLiteral("Párrafo %1 en varias líneas").arg(i);
            n->Border = i % 2 == 0;
            e = std::move(n);
            break;
        }
        default: {
            if (i % 4 == 1) {
                auto b = std::make_unique<TKVBarCode>();
                b->BarType = baEAN13;
                b->Code = QStringLiteral("4006381333931");
                e = std::move(b);
            } else {
                auto y = std::make_unique<TKVSymbol>();
                y->Symbol = std::uint8_t(0x80 + i % 100);
                e = std::move(y);
            }
        }
        }
        e->Point1 = p;
        Lab.Document->AddElement(std::move(e));
    }
    Lab.PaintLabScreen(true);
    QApplication::processEvents();
    return d;
}

// Whether two pictures differ at most by the rounding of laying a layer
// over a picture instead of drawing on it: a level or two of 255 here and
// there. A missing or misplaced element differs by far more.
inline bool WithinRounding(const QImage& A, const QImage& B)
{
    if (A.size() != B.size() || A.format() != B.format())
        return false;
    constexpr int levels = 3;
    for (int y = 0; y < A.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(A.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(B.constScanLine(y));
        for (int x = 0; x < A.width(); ++x)
            if (std::abs(qRed(a[x]) - qRed(b[x])) > levels || std::abs(qGreen(a[x]) - qGreen(b[x])) > levels ||
                std::abs(qBlue(a[x]) - qBlue(b[x])) > levels)
                return false;
    }
    return true;
}

// A crowded label drawn on two threads is the label drawn on one, with the
// same marks: first, and after a drag of the front element, which a partial
// redraw draws over the backdrop the other thread kept.
inline void RunCrowded()
{
    TKVLab one, two;
    for (TKVLab* lab : {&one, &two}) {
        lab->resize(900, 500);
        lab->show();
    }
    QApplication::processEvents();
    const TDesign d1 = MakeCrowded(one, false), d2 = MakeCrowded(two, true);
    const auto same = [&](const char* When) {
        SCOPED_TRACE(When);
        EXPECT_TRUE(WithinRounding(one.LabScreen, two.LabScreen)) << "the picture differs from the one drawn on one thread";
        ASSERT_EQ(one.Overhanging().size(), two.Overhanging().size());
        ASSERT_GT(one.Overhanging().size(), 100u);
        for (std::size_t i = 0; i < one.Overhanging().size(); ++i)
            EXPECT_EQ(one.Document->IndexOf(one.Overhanging()[i]), two.Document->IndexOf(two.Overhanging()[i]));
    };
    same("first drawn");
    for (auto [lab, d] : {std::pair{&one, &d1}, std::pair{&two, &d2}}) {
        Select(*lab, {d->Front});
        // Drawn whole with the selection, the picture keeps what lies behind it.
        lab->ForgetPicture();
        lab->PaintLabScreen(true);
        const QPoint p((d->Front->Bounds.Left + d->Front->Bounds.Right) / 2,
                       (d->Front->Bounds.Top + d->Front->Bounds.Bottom) / 2);
        Drag(*lab, p, p + QPoint(40, 30));
        EXPECT_NE(d->Front->Point1.X, 20) << "the drag moved nothing";
    }
    same("after a drag");
    // The line crosses most of the label: moved, it takes a redraw in
    // part of nearly every element, which two threads share.
    for (auto [lab, d] : {std::pair{&one, &d1}, std::pair{&two, &d2}}) {
        Select(*lab, {d->Line});
        const int whole = lab->WholeCount;
        lab->MoveSelection({1.5f, 1});
        QApplication::processEvents();
        EXPECT_EQ(lab->WholeCount, whole) << "the move drew the whole label";
    }
    if (TKVDrawThread::Worthwhile())
        EXPECT_EQ(two.SharedCount, 1) << "the second thread did not share the redraw in part";
    EXPECT_EQ(one.SharedCount, 0);
    same("after the line moved");
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
