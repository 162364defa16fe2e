#include "FuzzChecks.h"

#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "document/TKVFilter.h"
#include "document/TKVObject.h"
#include "document/TKVStream.h"
#include "document/TKVTable.h"
#include "document/TKVPrintInfo.h"
#include "types/EKvError.h"

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QKeyEvent>
#include <QLocale>
#include <QPicture>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {
FuzzChecks::TFailFunction& FailFunction()
{
    static FuzzChecks::TFailFunction f = [](const char*, const QByteArray&) { std::abort(); };
    return f;
}

[[noreturn]] void Fail(const char* Why, const QByteArray& Detail = {})
{
    FailFunction()(Why, Detail);
    std::abort(); // a failure function that returned
}

// ---- label files

QByteArray Save(const TKVObject& Document, const TKVLab& Lab)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    TKVStream s(&buf);
    Document.SaveToStream(s, &Lab);
    return buf.data();
}

// Loads Bytes into a new document of Lab; null when the reader refuses them.
std::unique_ptr<TKVObject> Load(const QByteArray& Bytes, TKVLab& Lab)
{
    QBuffer buf;
    buf.setData(Bytes);
    buf.open(QIODevice::ReadOnly);
    TKVStream s(&buf);
    auto document = std::make_unique<TKVObject>();
    try {
        document->LoadFromStream(s, &Lab);
    } catch (const EKvError&) {
        return nullptr;
    }
    return document;
}

// ---- filters

QString Canonical(const TKVFilter& F)
{
    QStringList parts;
    for (const TKVCondition& c : F.GetConditions()) {
        QString value = c.Value;
        if (c.Quoted)
            value = QLatin1Char('\'') + value.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
        parts << QStringLiteral("([%1] %2 %3)").arg(c.Field, TKVFilter::OpText(c.Op), value);
    }
    return parts.join(QLatin1String(" AND "));
}

bool Same(const TKVCondition& A, const TKVCondition& B)
{
    return A.Field == B.Field && A.Op == B.Op && A.Value == B.Value && A.Quoted == B.Quoted;
}

// ---- spin edit

struct Limits {
    double Min, Max;
};
// Equal limits mean no limits; the others are ordered, as hosts set them.
constexpr Limits LimitTable[] = {{0, 0}, {0, 10}, {-1000, 1000}, {0.5, 1e6}, {-1e300, 1e300}, {5, 5}};

const QLocale& LocaleOf(std::uint8_t B)
{
    // Decimal commas and points, space, apostrophe and dot grouping, minus
    // signs that are not ASCII or carry direction marks, exponents written
    // as "×10^", and digits that are not Latin.
    static const QLocale locales[] = {
        QLocale::c(),
        QLocale(QLocale::Spanish, QLocale::Spain),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::German, QLocale::Switzerland),
        QLocale(QLocale::Swedish, QLocale::Sweden),
        QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Persian, QLocale::Iran),
        QLocale(QLocale::Hindi, QLocale::India),
        QLocale(QLocale::Portuguese, QLocale::Brazil),
        QLocale(QLocale::Japanese, QLocale::Japan),
    };
    return locales[B % (sizeof(locales) / sizeof(locales[0]))];
}

void CheckFinite(const TSpinEditFloat& Edit, const char* Where)
{
    if (!std::isfinite(Edit.GetValue()))
        Fail(Where, Edit.text().toUtf8());
}

void Type(TSpinEditFloat& Edit, char32_t Key)
{
    int code = 0;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    QString text;
    switch (Key) {
    case 0x01: code = Qt::Key_Up; break;
    case 0x02: code = Qt::Key_Down; break;
    case 0x03: code = Qt::Key_C; mods = Qt::ControlModifier; break;
    case 0x16: code = Qt::Key_V; mods = Qt::ControlModifier; break;
    case 0x18: code = Qt::Key_X; mods = Qt::ControlModifier; break;
    case 0x0D: code = Qt::Key_Return; text = QStringLiteral("\r"); break;
    case 0x7F: code = Qt::Key_Delete; break;
    case 0x08: code = Qt::Key_Backspace; text = QStringLiteral("\b"); break;
    default:
        text = QString::fromUcs4(&Key, 1);
        code = Key >= '0' && Key <= '9' ? Qt::Key_0 + int(Key - '0') : Qt::Key_unknown;
    }
    QKeyEvent press(QEvent::KeyPress, code, mods, text);
    QApplication::sendEvent(&Edit, &press);
    QKeyEvent release(QEvent::KeyRelease, code, mods, text);
    QApplication::sendEvent(&Edit, &release);
}
}

void FuzzChecks::SetFailFunction(TFailFunction F) { FailFunction() = std::move(F); }

void FuzzChecks::LabFile(const QByteArray& Input)
{
    TKVLab lab;
    std::unique_ptr<TKVObject> document = Load(Input, lab);
    if (!document)
        return;

    const QByteArray first = Save(*document, lab);
    TKVLab again;
    std::unique_ptr<TKVObject> reloaded = Load(first, again);
    if (!reloaded)
        Fail("a saved design does not load again", first);
    const QByteArray second = Save(*reloaded, again);
    if (second != first)
        Fail("save, load and save again changed the bytes", first);

    // Shown in the designer, as LoadLab does, without a data source (the
    // names in a fuzzed file must not reach databases).
    lab.Document = std::move(document);
    lab.DaBa = false;
    try {
        lab.AdjustLabScreen();
        lab.DrawAll();
        // A short run: every sheet value of the file, a few labels.
        lab.PrintInfo->Labs = std::clamp(lab.PrintInfo->Labs, 0, 3);
        lab.RenderPages([](std::unique_ptr<QPicture>) {});
    } catch (const EKvError&) {
        // A run the library refuses is an answer, not a fault.
    }
}

void FuzzChecks::Filter(const QByteArray& Input)
{
    if (Input.isEmpty())
        return;
    const QByteArray bytes = Input.mid(1);
    const QString text = (Input[0] & 1) ? QString::fromUtf8(bytes) : TKVStream::DecodeText(bytes);

    TKVFilter filter;
    try {
        filter = TKVFilter::Parse(text);
    } catch (const EDBError&) {
        return;
    }
    const QString canonical = Canonical(filter);
    TKVFilter again;
    try {
        again = TKVFilter::Parse(canonical);
    } catch (const EDBError&) {
        Fail("the canonical form of a filter does not parse", canonical.toUtf8());
    }
    if (again.GetConditions().size() != filter.GetConditions().size())
        Fail("the canonical form has another number of conditions", canonical.toUtf8());
    for (std::size_t i = 0; i < filter.GetConditions().size(); ++i)
        if (!Same(filter.GetConditions()[i], again.GetConditions()[i]))
            Fail("the canonical form reads as another condition", canonical.toUtf8());

    // The filter's own fields, in reverse order and partly in upper case, so
    // that the case-blind second pass of Bind is reached too.
    QStringList fields;
    QStringList row;
    std::vector<bool> booleans;
    for (auto it = filter.GetConditions().rbegin(); it != filter.GetConditions().rend(); ++it) {
        fields << (fields.size() % 2 ? it->Field.toUpper() : it->Field);
        row << it->Value;
        booleans.push_back(fields.size() % 3 == 0);
    }
    try {
        filter.Bind(fields);
    } catch (const EDBError&) {
        return; // names that upper case does not keep equal ignoring case ("ß")
    }
    (void)filter.Matches(row, booleans);
    (void)filter.Matches({}, {});
}

void FuzzChecks::SpinEdit(const QByteArray& Input)
{
    if (Input.size() < 4)
        return;
    const auto* data = reinterpret_cast<const std::uint8_t*>(Input.constData());
    // One dialog with a default button for the whole run, as the property
    // dialogs hold their edits; Enter clicks the button.
    static QDialog* dialog = [] {
        TSpinEditFloat::SetBeepFunction([] {});
        auto* d = new QDialog;
        auto* layout = new QVBoxLayout(d);
        layout->addWidget(new TSpinEditFloat(d));
        auto* ok = new QPushButton(QStringLiteral("OK"), d);
        ok->setDefault(true);
        layout->addWidget(ok);
        d->show();
        return d;
    }();
    TSpinEditFloat& edit = *dialog->findChild<TSpinEditFloat*>();

    const Limits limits = LimitTable[(data[3] & 0x0F) % (sizeof(LimitTable) / sizeof(LimitTable[0]))];
    edit.setLocale(LocaleOf(data[0]));
    edit.SetMinValue(limits.Min);
    edit.SetMaxValue(limits.Max);
    edit.SetEditorEnabled(!(data[3] & 0x10));
    edit.setReadOnly(data[3] & 0x20);
    edit.SetDigits(int(std::int8_t(data[1])) % 24);
    edit.SetPrecision(int(std::int8_t(data[2])) % 24);

    const QString rest = QString::fromUtf8(Input.mid(4));
    const qsizetype feed = rest.indexOf(QLatin1Char('\n'));
    edit.setText(feed < 0 ? rest : rest.left(feed));
    CheckFinite(edit, "the value of a text is not a finite number");
    edit.setFocus();
    if (feed >= 0) {
        for (const char32_t key : rest.mid(feed + 1).toUcs4()) {
            (void)edit.IsValidChar(QChar(key));
            Type(edit, key);
            CheckFinite(edit, "the value after a key is not a finite number");
        }
    }

    edit.SetValue(edit.GetValue());
    const QString first = edit.text();
    CheckFinite(edit, "the value of a formatted text is not a finite number");
    edit.SetValue(edit.GetValue());
    if (edit.text() != first)
        Fail("formatting what SetValue wrote gives another text",
             first.toUtf8() + " | " + edit.text().toUtf8() + " | " + edit.locale().name().toUtf8());
}
