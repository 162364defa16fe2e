#include "controls/SpinEditFloat.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace {
constexpr int ButtonWidth = 15;
constexpr int ButtonHeight = 17;

TSpinEditFloat::TBeepFunction& CurrentBeep()
{
    static TSpinEditFloat::TBeepFunction beep = [] { QApplication::beep(); };
    return beep;
}

QToolButton* MakeArrow(QWidget* Parent, Qt::ArrowType Arrow, const char* Name)
{
    auto* b = new QToolButton(Parent);
    b->setObjectName(QLatin1String(Name));
    b->setArrowType(Arrow);
    b->setFocusPolicy(Qt::NoFocus);
    // Holding an arrow keeps stepping, like any spin box.
    b->setAutoRepeat(true);
    return b;
}

// Qt 6.4 cannot read back some numbers that it writes itself: negative
// numbers where the locale's minus sign carries a direction mark (Arabic,
// Persian) and exponents written as "×10^" (Swedish and others). Such a text
// is read again after mapping the locale's own symbols and digits to those of
// the C locale; a text the locale does not write stays unreadable.
bool ReadNumber(const QString& Text, const QLocale& Locale, double& Value)
{
    bool ok = false;
    Value = Locale.toDouble(Text, &ok);
    if (ok)
        return true;
    QString t = Text;
    const QString exponential = Locale.exponential();
    if (exponential.compare(QLatin1String("e"), Qt::CaseInsensitive) != 0)
        t.replace(exponential, QLatin1String("e"));
    t.replace(Locale.negativeSign(), QLatin1String("-"));
    t.replace(Locale.positiveSign(), QLatin1String("+"));
    t.replace(Locale.decimalPoint(), QLatin1String("."));
    const QList<uint> zero = Locale.zeroDigit().toUcs4();
    if (zero.size() == 1 && zero[0] != '0') {
        QList<uint> code = t.toUcs4();
        for (uint& c : code)
            if (c >= zero[0] && c <= zero[0] + 9)
                c = '0' + (c - zero[0]);
        t = QString::fromUcs4(reinterpret_cast<const char32_t*>(code.constData()), code.size());
    }
    for (const char16_t mark : {u'\u200E', u'\u200F', u'\u061C'})
        t.remove(QChar(mark));
    Value = QLocale::c().toDouble(t, &ok);
    return ok;
}

// The two arrows share the pair's height, the upper one taking the odd pixel.
class ArrowPair : public QWidget
{
public:
    explicit ArrowPair(QWidget* Parent)
        : QWidget(Parent)
        , Up(MakeArrow(this, Qt::UpArrow, "UpButton"))
        , Down(MakeArrow(this, Qt::DownArrow, "DownButton"))
    {
        setCursor(Qt::ArrowCursor);
        setFocusPolicy(Qt::NoFocus);
    }

    QToolButton* const Up;
    QToolButton* const Down;

protected:
    void resizeEvent(QResizeEvent*) override
    {
        const int upper = (height() + 1) / 2;
        Up->setGeometry(0, 0, width(), upper);
        Down->setGeometry(0, upper, width(), height() - upper);
    }
};
}

TSpinEditFloat::TSpinEditFloat(QWidget* Parent)
    : QLineEdit(Parent)
{
    auto* pair = new ArrowPair(this);
    Button = pair;
    UpButton = pair->Up;
    DownButton = pair->Down;
    Button->resize(ButtonWidth, ButtonHeight);
    // The arrows never hold the focus: it stays in (or comes to) the edit.
    Button->setFocusProxy(this);
    connect(UpButton, &QToolButton::clicked, this, [this] { UpClick(UpButton); });
    connect(DownButton, &QToolButton::clicked, this, [this] { DownClick(DownButton); });
    connect(this, &QLineEdit::textChanged, this, &TSpinEditFloat::changed);
    setText(ZeroText());
    UpdateMinHeight();
    PlaceButton();
}

// The arrow pair is a Qt child and goes with the edit.
TSpinEditFloat::~TSpinEditFloat() = default;

void TSpinEditFloat::SetDigits(int Value)
{
    Digits = Value;
    SetValue(GetValue());
}

void TSpinEditFloat::SetPrecision(int Value)
{
    Precision = Value;
    SetValue(GetValue());
}

void TSpinEditFloat::SetAutoSize(bool Value)
{
    AutoSize = Value;
    UpdateMinHeight();
}

QString TSpinEditFloat::DecimalSeparator() const { return locale().decimalPoint(); }

QString TSpinEditFloat::ZeroText() const { return QStringLiteral("0") + DecimalSeparator() + QStringLiteral("00"); }

double TSpinEditFloat::GetValue() const
{
    const QLocale loc = locale();
    QString s = text();
    const QString currency = loc.currencySymbol(QLocale::CurrencySymbol);
    if (!currency.isEmpty())
        s.remove(currency);
    s.remove(QLatin1Char(' '));
    const QString group = loc.groupSeparator();
    if (!group.isEmpty())
        s.remove(group);

    bool negative = false;
    const qsizetype open = s.indexOf(QLatin1Char('('));
    if (open >= 0) {
        negative = true;
        s.remove(open, 1);
        const qsizetype close = s.indexOf(QLatin1Char(')'));
        if (close >= 0)
            s.remove(close, 1);
    }
    double v = 0;
    // "inf" and "nan" are words, not numbers a user means to type here.
    if (!ReadNumber(s, loc, v) || !std::isfinite(v))
        return MinValue;
    return negative ? -v : v;
}

double TSpinEditFloat::CheckValue(double Value) const
{
    if (MaxValue != MinValue) {
        if (Value < MinValue)
            return MinValue;
        if (Value > MaxValue)
            return MaxValue;
    }
    return Value;
}

void TSpinEditFloat::SetValue(double Value)
{
    setText(FormatValue(CheckValue(Value), Precision, Digits, locale()));
}

QString TSpinEditFloat::FormatValue(double Value, int Precision, int Digits, const QLocale& Locale)
{
    const int precision = std::clamp(Precision, 1, 17);
    const int digits = std::clamp(Digits, 0, 18);
    if (!std::isfinite(Value))
        return Locale.toString(Value);

    // The value keeps only Precision significant digits; the rest of the
    // Digits decimals are zeros.
    double rounded = QString::number(Value, 'e', precision - 1).toDouble();
    if (std::fabs(rounded) >= std::pow(10.0, precision))
        return Locale.toString(rounded, 'g', precision);
    // No "-0,00" for a tiny negative value.
    if (QString::number(rounded, 'f', digits).toDouble() == 0)
        rounded = 0;

    QLocale plain = Locale;
    plain.setNumberOptions(Locale.numberOptions() | QLocale::OmitGroupSeparator);
    QString s = plain.toString(rounded, 'f', digits);

    // A separator every three integer digits, whatever the locale's minimum
    // grouping: 1234,50 reads better as 1.234,50 beside 12.345,50 in a column
    // of measures.
    const QString group = Locale.groupSeparator();
    if (!group.isEmpty()) {
        const QString minus = Locale.negativeSign();
        const qsizetype start = s.startsWith(minus) ? minus.size() : 0;
        qsizetype end = s.indexOf(Locale.decimalPoint(), start);
        if (end < 0)
            end = s.size();
        for (qsizetype i = end - 3; i > start; i -= 3)
            s.insert(i, group);
    }
    return s;
}

void TSpinEditFloat::UpClick(QObject*)
{
    if (isReadOnly())
        Beep();
    else
        SetValue(GetValue() + Increment);
}

void TSpinEditFloat::DownClick(QObject*)
{
    if (isReadOnly())
        Beep();
    else
        SetValue(GetValue() - Increment);
}

bool TSpinEditFloat::IsValidChar(QChar Key) const
{
    const ushort code = Key.unicode();
    bool valid = Key.isDigit() && code < 128;
    valid = valid || Key == QLatin1Char('+') || Key == QLatin1Char('-') || QString(Key) == DecimalSeparator();
    valid = valid || (code < 32 && code != 13);
    if (valid && !EditorEnabled && (code >= 32 || code == 8))
        valid = false;
    return valid;
}

int TSpinEditFloat::GetMinHeight() const { return QFontMetrics(font()).height() + 7; }

void TSpinEditFloat::UpdateMinHeight()
{
    setMinimumHeight(GetMinHeight());
    if (AutoSize)
        resize(width(), std::max(sizeHint().height(), GetMinHeight()));
}

void TSpinEditFloat::PlaceButton()
{
    // Inside the frame, one pixel clear of its right edge.
    const int frame = hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) : 0;
    Button->setGeometry(width() - Button->width() - frame - 1, frame, Button->width(), height() - 2 * frame);
    SetEditRect();
}

void TSpinEditFloat::SetEditRect()
{
    // The text stops short of the arrows instead of running under them.
    setTextMargins(0, 0, Button->width() + 3, 0);
}

void TSpinEditFloat::resizeEvent(QResizeEvent* Event)
{
    QLineEdit::resizeEvent(Event);
    if (height() < GetMinHeight()) {
        resize(width(), GetMinHeight());
        return;
    }
    PlaceButton();
}

void TSpinEditFloat::changeEvent(QEvent* Event)
{
    QLineEdit::changeEvent(Event);
    if (Event->type() == QEvent::FontChange)
        UpdateMinHeight();
    if (Event->type() == QEvent::FontChange || Event->type() == QEvent::StyleChange)
        PlaceButton();
}

void TSpinEditFloat::Beep() { CurrentBeep()(); }

TSpinEditFloat::TBeepFunction TSpinEditFloat::SetBeepFunction(TBeepFunction F)
{
    TBeepFunction old = CurrentBeep();
    CurrentBeep() = F ? std::move(F) : TBeepFunction([] { QApplication::beep(); });
    return old;
}

void TSpinEditFloat::InheritedKeyPress(QKeyEvent* Event)
{
    if (EditorEnabled || isReadOnly()) {
        QLineEdit::keyPressEvent(Event);
        return;
    }
    // Read-only for the length of one key: the edit still moves the caret,
    // selects and copies, and lets Escape and the like go on to the dialog,
    // but Delete, undo, cut and paste cannot change the text.
    setReadOnly(true);
    QLineEdit::keyPressEvent(Event);
    setReadOnly(false);
}

void TSpinEditFloat::keyPressEvent(QKeyEvent* Event)
{
    if (Event->key() == Qt::Key_Up) {
        UpClick(this);
        Event->accept();
        return;
    }
    if (Event->key() == Qt::Key_Down) {
        DownClick(this);
        Event->accept();
        return;
    }

    // The keys that type a character; the others (caret moves, Delete,
    // function keys) are the edit's.
    QChar key;
    if (Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter)
        key = QChar(13);
    else if (Event->matches(QKeySequence::Copy))
        key = QChar(3);
    else if (Event->matches(QKeySequence::Paste))
        key = QChar(22);
    else if (Event->matches(QKeySequence::Cut))
        key = QChar(24);
    else if (!Event->text().isEmpty() && Event->key() != Qt::Key_Delete)
        key = Event->text().at(0);
    if (key.isNull() || key.unicode() == 127) {
        InheritedKeyPress(Event);
        return;
    }
    KeyPress(Event, key);
}

void TSpinEditFloat::KeyPress(QKeyEvent* Event, QChar Key)
{
    const ushort code = Key.unicode();
    if (code == 13) {
        PressEnter(Event);
        return;
    }
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(Event);
        return;
    }
    if (code == 3 || code == 22 || code == 24) {
        // Paste and cut are the edit's, and only when the editor may change
        // the text.
        if (code == 3 || MayChangeText())
            QLineEdit::keyPressEvent(Event);
        else
            Event->accept();
        return;
    }
    if (Key == QLatin1Char('-') && EditorEnabled) {
        QLineEdit::keyPressEvent(Event);
        return;
    }
    if (!IsValidChar(Key)) {
        Beep();
        Event->accept();
        return;
    }
    // Backspace, Escape and the other control characters edit or navigate as
    // in any edit; the rules below shape typed digits only.
    if (code < 32) {
        InheritedKeyPress(Event);
        return;
    }

    const QString separator = DecimalSeparator();
    const bool isSeparator = QString(Key) == separator;
    const qsizetype P = text().indexOf(separator) + 1; // 1-based, 0 when none

    if (isSeparator) {
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        deselect();
        setCursorPosition(start);
    } else {
        DeleteSelection();
    }

    if (isSeparator) {
        if (P > 0) {
            setCursorPosition(int(P));
            Event->accept();
            return;
        }
        if (Digits < 0)
            end(false);
        QLineEdit::keyPressEvent(Event);
        return;
    }

    const int C = cursorPosition();
    if (C <= 1 && text().startsWith(QLatin1Char('0'))) {
        setSelection(0, 1);
    } else if (Digits > 0 && P > 0) {
        if (C == Digits + P) {
            Beep();
            Event->accept();
            return;
        }
        if (C >= P)
            setSelection(C, 1);
    }
    QLineEdit::keyPressEvent(Event);
}

void TSpinEditFloat::PressEnter(QKeyEvent* Event)
{
    QWidget* form = window();
    if (form == this) {
        QLineEdit::keyPressEvent(Event);
        return;
    }
    Event->accept();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = int(selectedText().size());

    // Qt dialogs keep their buttons in button boxes and layouts' frames, so
    // the default button is looked for at any depth of the window.
    QList<QPointer<QPushButton>> defaults;
    for (QPushButton* b : form->findChildren<QPushButton*>())
        if (b->isDefault() && b->isVisible() && b->isEnabled())
            defaults << b;
    if (defaults.isEmpty()) {
        Beep();
        return;
    }
    // The clicked button may close the dialog or even destroy this edit.
    const QPointer<TSpinEditFloat> self(this);
    for (const QPointer<QPushButton>& b : defaults) {
        if (!b)
            continue;
        // The button takes the focus first, so this edit's value is checked
        // on leaving, as when the button is clicked with the mouse.
        b->setFocus(Qt::OtherFocusReason);
        b->click();
        if (!self)
            return;
    }
    setFocus(Qt::OtherFocusReason);
    if (AutoSelect)
        selectAll();
    else
        setSelection(start, length);
}

void TSpinEditFloat::DeleteSelection()
{
    if (!hasSelectedText())
        return;
    if (selectedText() == text()) {
        setText(ZeroText());
        setCursorPosition(0);
        return;
    }
    const int stop = selectionStart() + int(selectedText().size());
    deselect();
    setCursorPosition(stop);
}

namespace {
// Focus that goes to another window or a popup menu and comes back does not
// leave or enter the control.
bool Passing(const QFocusEvent* Event)
{
    return Event->reason() == Qt::ActiveWindowFocusReason || Event->reason() == Qt::PopupFocusReason;
}
}

void TSpinEditFloat::focusInEvent(QFocusEvent* Event)
{
    const bool entering = !(Inside && Passing(Event));
    Inside = true;
    const bool mouseDown = (QApplication::mouseButtons() & Qt::LeftButton) && underMouse();
    if (entering && AutoSelect && !mouseDown && Event->reason() != Qt::MouseFocusReason)
        selectAll();
    if (!AutoSelect
        && (Event->reason() == Qt::TabFocusReason || Event->reason() == Qt::BacktabFocusReason
            || Event->reason() == Qt::ShortcutFocusReason)) {
        // The edit would select all on Tab by itself.
        QFocusEvent plain(Event->type(), Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&plain);
    } else {
        QLineEdit::focusInEvent(Event);
    }
    if (entering)
        emit entered();
}

void TSpinEditFloat::focusOutEvent(QFocusEvent* Event)
{
    QLineEdit::focusOutEvent(Event);
    if (Passing(Event))
        return;
    Inside = false;
    emit exited();
    const double v = GetValue();
    if (CheckValue(v) != v)
        SetValue(v);
}

void TSpinEditFloat::mouseReleaseEvent(QMouseEvent* Event)
{
    QLineEdit::mouseReleaseEvent(Event);
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
        emit clicked();
}

void TSpinEditFloat::mouseDoubleClickEvent(QMouseEvent* Event)
{
    QLineEdit::mouseDoubleClickEvent(Event);
    if (Event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TSpinEditFloat::contextMenuEvent(QContextMenuEvent* Event)
{
    if (MayChangeText()) {
        QLineEdit::contextMenuEvent(Event);
        return;
    }
    // The menu of a read-only edit: copy and select, no cut, paste or delete.
    const bool wasReadOnly = isReadOnly();
    setReadOnly(true);
    QMenu* menu = createStandardContextMenu();
    setReadOnly(wasReadOnly);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(Event->globalPos());
}

void TSpinEditFloat::dragEnterEvent(QDragEnterEvent* Event)
{
    if (MayChangeText())
        QLineEdit::dragEnterEvent(Event);
    else
        Event->ignore();
}

void TSpinEditFloat::dragMoveEvent(QDragMoveEvent* Event)
{
    if (MayChangeText())
        QLineEdit::dragMoveEvent(Event);
    else
        Event->ignore();
}

void TSpinEditFloat::dropEvent(QDropEvent* Event)
{
    if (MayChangeText())
        QLineEdit::dropEvent(Event);
    else
        Event->ignore();
}

void TSpinEditFloat::inputMethodEvent(QInputMethodEvent* Event)
{
    if (MayChangeText())
        QLineEdit::inputMethodEvent(Event);
    else
        Event->ignore();
}
