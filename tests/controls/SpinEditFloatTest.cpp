// The float spin edit under a comma locale (es_ES) and a point locale
// (en_US). Texts in the tables are written the Spanish way ("1.234,50") and
// turned into the locale's form by Local().
#include "controls/SpinEditFloat.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {
class SpinEditFloatTest : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QString::fromLatin1(GetParam())));
        PreviousBeep = TSpinEditFloat::SetBeepFunction([this] { ++Beeps; });
        Window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(Window.get());
        Edit = new TSpinEditFloat(Window.get());
        Other = new TSpinEditFloat(Window.get());
        layout->addWidget(Edit);
        layout->addWidget(Other);
    }

    void TearDown() override
    {
        Window.reset();
        TSpinEditFloat::SetBeepFunction(PreviousBeep);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    bool Comma() const { return QLocale().decimalPoint() == QLatin1String(","); }

    // "1.234,50" as this locale writes it.
    QString Local(const char* Spanish) const
    {
        QString s = QString::fromUtf8(Spanish);
        if (Comma())
            return s;
        for (QChar& c : s) {
            if (c == QLatin1Char(','))
                c = QLatin1Char('.');
            else if (c == QLatin1Char('.'))
                c = QLatin1Char(',');
        }
        return s;
    }

    QChar Separator() const { return QLocale().decimalPoint().at(0); }

    void Start(const char* Text, int Caret)
    {
        Edit->setText(Local(Text));
        Edit->setCursorPosition(Caret);
    }

    void Type(const QString& Keys)
    {
        for (QChar c : Keys)
            QTest::keyClick(Edit, c.toLatin1());
    }

    void ShowAndFocus()
    {
        Window->show();
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        Edit->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(Edit->hasFocus());
    }

    std::unique_ptr<QWidget> Window;
    TSpinEditFloat* Edit = nullptr;
    TSpinEditFloat* Other = nullptr;
    int Beeps = 0;
    TSpinEditFloat::TBeepFunction PreviousBeep;
};

TEST_P(SpinEditFloatTest, StartsAtZeroWithTheLocaleSeparator)
{
    EXPECT_EQ(Edit->text(), Local("0,00"));
    EXPECT_EQ(Edit->GetPrecision(), 9);
    EXPECT_EQ(Edit->GetDigits(), 2);
    EXPECT_EQ(Edit->GetIncrement(), 0.5);
    EXPECT_TRUE(Edit->GetEditorEnabled());
    EXPECT_EQ(Edit->GetButton()->size(), QSize(15, Edit->GetButton()->height()));
}

TEST_P(SpinEditFloatTest, FormatsWithThousandsSeparatorsPrecisionAndDigits)
{
    struct Row {
        double Value;
        int Precision;
        int Digits;
        const char* Text;
        const char* Why;
    };
    const Row rows[] = {
        {1234.5, 9, 2, "1.234,50", "separators every three digits, also for four-digit numbers"},
        {12345678.5, 9, 2, "12.345.678,50", "two groups"},
        {-1234.5, 9, 2, "-1.234,50", "sign before the first group"},
        {123.0, 9, 2, "123,00", "no separator under a thousand"},
        {1234.4, 9, 0, "1.234", "no decimals, no separator"},
        {0.1 + 0.2, 9, 2, "0,30", "binary noise rounded away"},
        {-0.001, 9, 2, "0,00", "no negative zero"},
        {1.23456789012, 9, 4, "1,2346", "Digits after Precision"},
        {1.23456, 3, 4, "1,2300", "Precision 3 leaves zeros in the decimals"},
        {999.5, 3, 2, "1E+03", "more integer digits than Precision: scientific"},
        {-1234.5, 3, 2, "-1,23E+03", "scientific keeps Precision digits"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(TSpinEditFloat::FormatValue(r.Value, r.Precision, r.Digits, QLocale()), Local(r.Text)) << r.Why;
}

TEST_P(SpinEditFloatTest, SetValueFormatsTheClampedValue)
{
    Edit->SetValue(1234.5); // no limits while MinValue = MaxValue
    EXPECT_EQ(Edit->text(), Local("1.234,50"));

    Edit->SetMinValue(0);
    Edit->SetMaxValue(10);
    Edit->SetValue(12);
    EXPECT_EQ(Edit->text(), Local("10,00"));
    Edit->SetValue(-3);
    EXPECT_EQ(Edit->text(), Local("0,00"));
    Edit->SetValue(2.345);
    EXPECT_EQ(Edit->text(), Local("2,35"));

    Edit->SetMinValue(5);
    Edit->SetMaxValue(5);
    EXPECT_EQ(Edit->CheckValue(12), 12);
    EXPECT_EQ(Edit->CheckValue(-12), -12);
}

TEST_P(SpinEditFloatTest, DigitsAndPrecisionReformatTheText)
{
    Edit->SetValue(1.25);
    Edit->SetDigits(3);
    EXPECT_EQ(Edit->text(), Local("1,250"));
    Edit->SetDigits(1);
    EXPECT_EQ(Edit->text(), Local("1,3")); // 1.25 is exact in binary: ties go away from zero
    Edit->setText(Local("12,5"));
    Edit->SetPrecision(1);
    EXPECT_EQ(Edit->text(), QStringLiteral("1E+01"));
    EXPECT_EQ(Edit->GetValue(), 10) << "the scientific form reads back";
}

TEST_P(SpinEditFloatTest, ReadsTheTextAsANumber)
{
    const QString currency = QLocale().currencySymbol();
    struct Row {
        QString Text;
        double Value;
        const char* Why;
    };
    Edit->SetMinValue(-99);
    const Row rows[] = {
        {Local("(3,5)"), -3.5, "parentheses for negatives"},
        {Local("(12,50"), -12.5, "an unclosed parenthesis still negates"},
        {Local("1.234,5"), 1234.5, "thousands separators removed"},
        {currency + QStringLiteral(" 7"), 7, "currency string and blank removed"},
        {Local("7,5 ") + currency, 7.5, "currency after the number"},
        {Local(" 1 2,5"), 12.5, "every blank removed"},
        {Local("-4,25"), -4.25, "minus sign"},
        {QStringLiteral("+3"), 3, "plus sign"},
        {QString(), -99, "empty text reads as MinValue"},
        {QStringLiteral("abc"), -99, "unreadable text reads as MinValue"},
        {Local("1,2,3"), -99, "two decimal separators"},
        {QStringLiteral("inf"), -99, "not a number a user types"},
        {QStringLiteral("nan"), -99, "not a number a user types"},
    };
    for (const Row& r : rows) {
        Edit->setText(r.Text);
        EXPECT_DOUBLE_EQ(Edit->GetValue(), r.Value) << r.Why << ": " << r.Text.toStdString();
    }
}

TEST_P(SpinEditFloatTest, ArrowsStepByIncrementWithinTheLimits)
{
    Edit->SetMinValue(0);
    Edit->SetMaxValue(2);
    Edit->SetValue(1);
    Edit->UpClick(nullptr);
    EXPECT_EQ(Edit->text(), Local("1,50"));
    QTest::keyClick(Edit, Qt::Key_Up);
    EXPECT_EQ(Edit->text(), Local("2,00"));
    QTest::keyClick(Edit, Qt::Key_Up);
    EXPECT_EQ(Edit->text(), Local("2,00")) << "clamped at MaxValue";
    QTest::keyClick(Edit, Qt::Key_Down);
    EXPECT_EQ(Edit->text(), Local("1,50"));
    Edit->SetIncrement(0.25);
    QTest::mouseClick(Edit->GetDownButton(), Qt::LeftButton);
    EXPECT_EQ(Edit->text(), Local("1,25"));
    QTest::mouseClick(Edit->GetUpButton(), Qt::LeftButton);
    EXPECT_EQ(Edit->text(), Local("1,50"));
    EXPECT_EQ(Beeps, 0);
}

TEST_P(SpinEditFloatTest, ReadOnlyArrowsBeepAndChangeNothing)
{
    Edit->SetValue(1);
    Edit->setReadOnly(true);
    QTest::keyClick(Edit, Qt::Key_Up);
    QTest::mouseClick(Edit->GetDownButton(), Qt::LeftButton);
    Type(QStringLiteral("5"));
    EXPECT_EQ(Edit->text(), Local("1,00"));
    EXPECT_EQ(Beeps, 2);
}

TEST_P(SpinEditFloatTest, TypedDigitsKeepTheShapeOfTheNumber)
{
    struct Row {
        const char* Text;
        int Caret;
        const char* Keys; // ',' stands for the decimal separator
        const char* Result;
        int Caret2;
        int Beeps;
        const char* Why;
    };
    const Row rows[] = {
        {"0,00", 0, "5", "5,00", 1, 0, "a digit replaces the leading zero"},
        {"0,00", 1, "5", "5,00", 1, 0, "also with the caret after the zero"},
        {"0,00", 0, "12", "12,00", 2, 0, "then digits go into the integer part"},
        {"1,25", 2, "7", "1,75", 3, 0, "a decimal is overwritten"},
        {"1,25", 3, "9", "1,29", 4, 0, "the last decimal too"},
        {"1,25", 4, "8", "1,25", 4, 1, "no third decimal with Digits 2"},
        {"1,2", 3, "5", "1,25", 4, 0, "a missing decimal is added"},
        {"12,50", 1, "3", "132,50", 2, 0, "inserted in the integer part"},
        {"1,25", 0, ",", "1,25", 2, 0, "a second separator moves the caret behind the first"},
        {"12", 2, ",5", "12,5", 4, 0, "a separator is inserted where there is none"},
        {"15", 2, "0", "150", 3, 0, "without a separator every digit is an integer digit"},
        {"1,25", 1, "a", "1,25", 1, 1, "letters are refused"},
        {"1,25", 1, " ", "1,25", 1, 1, "blanks are refused"},
        {"1,25", 0, "-", "-1,25", 1, 0, "the minus sign goes in as typed"},
        {"1,25", 4, "\b", "1,2", 3, 0, "Backspace deletes before the caret"},
    };
    for (const Row& r : rows) {
        Beeps = 0;
        Start(r.Text, r.Caret);
        QString keys = QString::fromLatin1(r.Keys);
        keys.replace(QLatin1Char(','), Separator());
        for (QChar c : keys) {
            if (c == QLatin1Char('\b'))
                QTest::keyClick(Edit, Qt::Key_Backspace);
            else
                QTest::keyClick(Edit, c.toLatin1());
        }
        EXPECT_EQ(Edit->text(), Local(r.Result)) << r.Why;
        EXPECT_EQ(Edit->cursorPosition(), r.Caret2) << r.Why;
        EXPECT_EQ(Beeps, r.Beeps) << r.Why;
    }
}

TEST_P(SpinEditFloatTest, TypingOverASelection)
{
    Edit->setText(Local("12,50"));
    Edit->selectAll();
    Type(QStringLiteral("7"));
    EXPECT_EQ(Edit->text(), Local("7,00")) << "the whole text starts again from zero";

    Edit->setText(Local("12,50"));
    Edit->setSelection(0, 1);
    Type(QStringLiteral("3"));
    EXPECT_EQ(Edit->text(), Local("132,50")) << "a partial selection is dropped, caret at its end";

    Edit->setText(Local("12,50"));
    Edit->setSelection(3, 2);
    Type(QStringLiteral("9"));
    EXPECT_EQ(Edit->text(), Local("12,50")) << "caret after the last decimal: no more decimals";
    EXPECT_EQ(Beeps, 1);

    Edit->setText(QStringLiteral("12"));
    Edit->setSelection(1, 1);
    Type(QString(Separator()));
    EXPECT_EQ(Edit->text(), QStringLiteral("1") + Separator() + QStringLiteral("2"))
        << "the separator goes in at the selection's start, deleting nothing";

    Edit->SetDigits(-1);
    Edit->setText(QStringLiteral("12"));
    Edit->setCursorPosition(0);
    Type(QString(Separator()));
    EXPECT_EQ(Edit->text(), QStringLiteral("12") + Separator()) << "negative Digits: the separator goes at the end";
}

TEST_P(SpinEditFloatTest, IsValidChar)
{
    const QChar sep = Separator();
    const QChar other = Comma() ? QLatin1Char('.') : QLatin1Char(',');
    for (QChar c : QStringLiteral("0123456789+-"))
        EXPECT_TRUE(Edit->IsValidChar(c)) << c.toLatin1();
    EXPECT_TRUE(Edit->IsValidChar(sep));
    EXPECT_FALSE(Edit->IsValidChar(other)) << "the other locale's separator";
    EXPECT_FALSE(Edit->IsValidChar(QChar(13))) << "Enter";
    EXPECT_TRUE(Edit->IsValidChar(QChar(8)));
    EXPECT_TRUE(Edit->IsValidChar(QChar(27)));
    EXPECT_FALSE(Edit->IsValidChar(QLatin1Char('e')));
    EXPECT_FALSE(Edit->IsValidChar(QChar(0x0665))) << "an Arabic-Indic digit";

    Edit->SetEditorEnabled(false);
    EXPECT_FALSE(Edit->IsValidChar(QLatin1Char('5')));
    EXPECT_FALSE(Edit->IsValidChar(sep));
    EXPECT_FALSE(Edit->IsValidChar(QChar(8))) << "Backspace";
    EXPECT_TRUE(Edit->IsValidChar(QChar(27))) << "other control characters stay valid";
}

TEST_P(SpinEditFloatTest, WithoutTheEditorOnlyTheArrowsChangeTheValue)
{
    QApplication::clipboard()->setText(QStringLiteral("9"));
    Edit->SetValue(1.25);
    Edit->SetEditorEnabled(false);
    Edit->setCursorPosition(4);
    Type(QStringLiteral("5-"));
    QTest::keyClick(Edit, Qt::Key_Backspace);
    EXPECT_EQ(Beeps, 3) << "digits, minus and Backspace are refused";
    QTest::keyClick(Edit, Qt::Key_Home);
    QTest::keyClick(Edit, Qt::Key_Delete);
    Edit->selectAll();
    QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(Edit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(Edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Edit->text(), Local("1,25")) << "Delete, paste, cut and undo change nothing";

    QTest::keyClick(Edit, Qt::Key_Up);
    EXPECT_EQ(Edit->text(), Local("1,75"));
    QTest::mouseClick(Edit->GetDownButton(), Qt::LeftButton);
    EXPECT_EQ(Edit->text(), Local("1,25"));

    Edit->SetEditorEnabled(true);
    Edit->selectAll();
    QTest::keyClick(Edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Edit->text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), Local("1,25"));
    QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit->text(), Local("1,25")) << "cut and paste work with the editor on";
}

TEST_P(SpinEditFloatTest, EnterClicksTheDefaultButtonAndKeepsTheFocus)
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new TSpinEditFloat(&dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    layout->addWidget(edit);
    // Buttons live in a frame of their own, as in most dialogs.
    auto* buttons = new QWidget(&dialog);
    auto* row = new QHBoxLayout(buttons);
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addWidget(buttons);
    ok->setDefault(true);
    edit->SetMinValue(0);
    edit->SetMaxValue(10);
    double seen = -1;
    int clicks = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] {
        ++clicks;
        seen = edit->GetValue();
    });
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus();
    edit->setText(QStringLiteral("15"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(seen, 10) << "the value is checked when the focus leaves for the button";
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->selectedText(), edit->text()) << "AutoSelect selects all on return";

    edit->SetAutoSelect(false);
    edit->setCursorPosition(1);
    edit->setSelection(1, 2);
    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(edit->selectionStart(), 1);
    EXPECT_EQ(edit->selectedText().size(), 2) << "the selection comes back without AutoSelect";
    EXPECT_EQ(Beeps, 0);

    ok->setDefault(false);
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(Beeps, 1) << "no default button: a beep";
}

TEST_P(SpinEditFloatTest, EnterSurvivesAButtonThatDestroysTheEdit)
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    QPointer<TSpinEditFloat> edit = new TSpinEditFloat(&dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    layout->addWidget(edit);
    layout->addWidget(ok);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, [&] { delete edit.data(); });
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(edit.isNull());
}

TEST_P(SpinEditFloatTest, LeavingClampsButKeepsAValueWithinTheLimits)
{
    Edit->SetMinValue(0);
    Edit->SetMaxValue(10);
    int exits = 0;
    QObject::connect(Edit, &TSpinEditFloat::exited, [&] { ++exits; });
    ShowAndFocus();

    Edit->setText(QString());
    Type(QStringLiteral("15"));
    Other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Edit->text(), Local("10,00"));
    EXPECT_EQ(exits, 1);

    Edit->setFocus(Qt::TabFocusReason);
    Edit->setText(QStringLiteral("7"));
    Other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Edit->text(), QStringLiteral("7")) << "a value within the limits keeps the text as typed";
}

TEST_P(SpinEditFloatTest, GainingTheFocusSelectsAll)
{
    Edit->SetValue(3);
    int enters = 0;
    QObject::connect(Edit, &TSpinEditFloat::entered, [&] { ++enters; });
    ShowAndFocus();
    EXPECT_EQ(Edit->selectedText(), Edit->text()) << "the window's first control, entered on showing";
    EXPECT_EQ(enters, 1);

    Edit->setCursorPosition(1);
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(Edit, &out);
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(Edit, &back);
    EXPECT_FALSE(Edit->hasSelectedText()) << "coming back from another window is not entering";
    EXPECT_EQ(enters, 1);

    Other->SetAutoSelect(false);
    Other->SetValue(4);
    Other->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(Other->hasSelectedText()) << "without AutoSelect, not even on Tab";
    Other->setFocus(Qt::OtherFocusReason);
}

TEST_P(SpinEditFloatTest, ChangedFiresForTypingAndForTheProgram)
{
    int changes = 0;
    QObject::connect(Edit, &TSpinEditFloat::changed, [&] { ++changes; });
    Edit->SetValue(2);
    EXPECT_EQ(changes, 1);
    Edit->setCursorPosition(0);
    Type(QStringLiteral("3"));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(Edit->property("Value").toDouble(), 32);
}

TEST_P(SpinEditFloatTest, KeepsItsMinimumHeightAndTheTextClearOfTheArrows)
{
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    auto* edit = new TSpinEditFloat(Window.get()); // outside the layout
    edit->show();
    edit->resize(100, 5);
    EXPECT_EQ(edit->height(), edit->GetMinHeight());
    EXPECT_EQ(edit->GetMinHeight(), QFontMetrics(edit->font()).height() + 7);
    edit->resize(120, 40);
    const QRect button = edit->GetButton()->geometry();
    EXPECT_EQ(button.width(), 15);
    EXPECT_TRUE(edit->rect().contains(button));
    EXPECT_GE(edit->width() - button.right(), 2) << "inside the frame";
    EXPECT_GE(edit->textMargins().right(), 15 + 3) << "the text stops before the arrows";
    edit->resize(200, 40);
    EXPECT_EQ(edit->GetButton()->geometry().right(), 200 - (120 - button.right())) << "follows the right edge";

    QFont big = edit->font();
    big.setPointSize(big.pointSize() * 3);
    edit->setFont(big);
    EXPECT_GE(edit->height(), edit->GetMinHeight()) << "AutoSize follows the font";
    EXPECT_EQ(edit->GetButton()->height(), edit->height() - 2 * edit->GetButton()->y()) << "the arrows too";
    delete edit;
}

INSTANTIATE_TEST_SUITE_P(Locales, SpinEditFloatTest, ::testing::Values("es_ES", "en_US"),
                         [](const ::testing::TestParamInfo<const char*>& Info) { return std::string(Info.param); });

// What SetValue writes, GetValue reads back, in every locale. Qt 6.4 cannot
// read some of its own numbers (found by the spin-edit fuzz target): negative
// ones where the minus sign carries a direction mark, and exponents written
// as "x10^".
TEST(SpinEditFloatLocales, WhatSetValueWritesReadsBack)
{
    const struct {
        QLocale::Language Language;
        QLocale::Country Country;
        const char* Why;
    } locales[] = {
        {QLocale::Arabic, QLocale::Egypt, "minus sign with an Arabic letter mark, Arabic-Indic digits"},
        {QLocale::Persian, QLocale::Iran, "minus sign with a left-to-right mark, Persian digits"},
        {QLocale::Swedish, QLocale::Sweden, "exponent written as x10^"},
        {QLocale::Spanish, QLocale::Spain, "decimal comma, dot grouping"},
        {QLocale::German, QLocale::Switzerland, "apostrophe grouping"},
        {QLocale::English, QLocale::UnitedStates, "the plain case"},
    };
    TSpinEditFloat edit;
    for (const auto& l : locales) {
        edit.setLocale(QLocale(l.Language, l.Country));
        for (const double v : {-7.5, -1234.5, 0.25, 1.5e20, -2.5e15}) {
            edit.SetValue(v);
            EXPECT_DOUBLE_EQ(edit.GetValue(), v) << l.Why << ": " << edit.text().toStdString();
        }
    }
}
}
