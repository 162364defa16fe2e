// TSpinEditFloat: a one-line edit for fractional values (millimetres and the
// like) with a pair of arrow buttons at its right edge. The value has no
// storage of its own: it is parsed from the text every time it is read, and
// setting it writes the clamped value in the locale's number format.
//
// The keyboard is filtered so that the text keeps its shape while typing:
// a typed digit replaces a leading zero, overwrites decimals instead of
// pushing them right, and no more than Digits decimals can be typed.
//
// Events of the edit that Qt already delivers (key, mouse, drag and drop) are
// reached with an event filter, as for any Qt widget; the control adds the
// signals changed, clicked, doubleClicked, entered and exited.
#pragma once

#include <QLineEdit>
#include <functional>

class QToolButton;

/// A one-line edit for fractional values (millimetres and the like) with
/// arrow buttons. The value is the text read as a number; typing keeps the
/// text's shape (a digit replaces a leading zero, overwrites decimals).
class TSpinEditFloat : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(int Digits READ GetDigits WRITE SetDigits)
    Q_PROPERTY(int Precision READ GetPrecision WRITE SetPrecision)
    Q_PROPERTY(double MinValue READ GetMinValue WRITE SetMinValue)
    Q_PROPERTY(double MaxValue READ GetMaxValue WRITE SetMaxValue)
    Q_PROPERTY(double Increment READ GetIncrement WRITE SetIncrement)
    Q_PROPERTY(bool EditorEnabled READ GetEditorEnabled WRITE SetEditorEnabled)
    Q_PROPERTY(bool AutoSelect READ GetAutoSelect WRITE SetAutoSelect)
    Q_PROPERTY(bool AutoSize READ GetAutoSize WRITE SetAutoSize)
    Q_PROPERTY(double Value READ GetValue WRITE SetValue NOTIFY changed)

public:
    using TBeepFunction = std::function<void()>;

    explicit TSpinEditFloat(QWidget* Parent = nullptr);
    ~TSpinEditFloat() override;

    int GetDigits() const { return Digits; }
    /// Decimals shown, and the most that can be typed.
    void SetDigits(int Value);
    int GetPrecision() const { return Precision; }
    /// Significant digits of a value written by SetValue.
    void SetPrecision(int Value);
    double GetMinValue() const { return MinValue; }
    /// Lower limit; equal limits mean none.
    void SetMinValue(double Value) { MinValue = Value; }
    double GetMaxValue() const { return MaxValue; }
    /// Upper limit; equal limits mean none.
    void SetMaxValue(double Value) { MaxValue = Value; }
    double GetIncrement() const { return Increment; }
    /// The step of the arrow buttons and the arrow keys.
    void SetIncrement(double Value) { Increment = Value; }
    bool GetEditorEnabled() const { return EditorEnabled; }
    /// False: the arrows still change the value, typing does not.
    void SetEditorEnabled(bool Value) { EditorEnabled = Value; }
    bool GetAutoSelect() const { return AutoSelect; }
    /// Whether entering the control by keyboard selects the whole text.
    void SetAutoSelect(bool Value) { AutoSelect = Value; }
    bool GetAutoSize() const { return AutoSize; }
    /// Whether the height follows the font.
    void SetAutoSize(bool Value);

    /// The arrow pair: a child of the edit that never takes the focus.
    QWidget* GetButton() const { return Button; }
    QToolButton* GetUpButton() const { return UpButton; }
    QToolButton* GetDownButton() const { return DownButton; }

    /// The text read as a number; text that cannot be read gives MinValue.
    double GetValue() const;
    /// Writes the clamped value, formatted with Precision significant digits
    /// and Digits decimals in the locale's number format.
    void SetValue(double Value);
    /// Value clamped to MinValue..MaxValue; equal limits mean no limits.
    double CheckValue(double Value) const;

    /// The smallest height the control accepts.
    int GetMinHeight() const;

    /// Whether Key may reach the text at all.
    virtual bool IsValidChar(QChar Key) const;
    virtual void UpClick(QObject* Sender);
    virtual void DownClick(QObject* Sender);

    /// Formats Value as SetValue does, for Locale. Shared with callers that show
    /// the same numbers elsewhere.
    static QString FormatValue(double Value, int Precision, int Digits, const QLocale& Locale);

    /// The system beep; tests and hosts may install their own. Returns the
    /// previous function; an empty F restores the default.
    static TBeepFunction SetBeepFunction(TBeepFunction F);

signals:
    /// The text changed, by typing or by the program.
    void changed();
    void clicked();
    void doubleClicked();
    void entered(); ///< The focus came into the control from elsewhere.
    void exited();  ///< The focus left for another control.

protected:
    void keyPressEvent(QKeyEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dragMoveEvent(QDragMoveEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;
    void inputMethodEvent(QInputMethodEvent* Event) override;

    // Prepares the text before a typed character replaces the selection: a
    // selection of the whole text starts again from zero, any other selection
    // is dropped with the caret at its end.
    void DeleteSelection();
    // Keeps the text clear of the arrow buttons.
    void SetEditRect();

private:
    void KeyPress(QKeyEvent* Event, QChar Key);
    void PressEnter(QKeyEvent* Event);
    // The edit's own key handling; without EditorEnabled it may move the
    // caret, select and copy, but not change the text.
    void InheritedKeyPress(QKeyEvent* Event);
    bool MayChangeText() const { return EditorEnabled && !isReadOnly(); }
    void PlaceButton();
    void UpdateMinHeight();
    QString DecimalSeparator() const;
    QString ZeroText() const;
    static void Beep();

    int Precision = 9;
    int Digits = 2;
    double MinValue = 0;
    double MaxValue = 0;
    double Increment = 0.5;
    QWidget* Button = nullptr;
    QToolButton* UpButton = nullptr;
    QToolButton* DownButton = nullptr;
    bool EditorEnabled = true;
    bool AutoSelect = true;
    bool AutoSize = true;
    // The focus is in the control, or left it only for another window or a
    // popup and will come back without the control being entered anew.
    bool Inside = false;
};
