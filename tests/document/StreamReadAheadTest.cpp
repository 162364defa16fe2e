// The label-file reader takes its bytes in blocks: what it reads ahead must
// never show. The device is left after the last value read, what is left to
// read counts the bytes read ahead, a write goes after the values read,
// devices that cannot seek are read value by value as before, and a stream
// reads again from where it began.
#include "document/TKVStream.h"

#include "designer/TKVLab.h"
#include "document/TKVObject.h"
#include "document/TKVText.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {
QByteArray Values(int Count)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    TKVStream s(&buf);
    for (int i = 0; i < Count; ++i) {
        s.WriteInt32(i * 7);
        s.WriteStr(QStringLiteral("v%1").arg(i));
        s.WriteFloat(float(i) / 4);
    }
    return buf.data();
}

// A device that cannot seek, like a pipe: bytes once read are gone.
class Pipe : public QIODevice
{
public:
    explicit Pipe(QByteArray Bytes) : Data(std::move(Bytes)) {}
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return Data.size() - Pos + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* To, qint64 Max) override
    {
        const qint64 n = std::min<qint64>(Max, Data.size() - Pos);
        // Qt may ask for nothing with no buffer at all.
        if (n <= 0)
            return 0;
        std::memcpy(To, Data.constData() + Pos, std::size_t(n));
        Pos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray Data;
    qint64 Pos = 0;
};
}

TEST(StreamReadAhead, DeviceIsLeftAfterTheLastValueRead)
{
    // Element records are read one after another by streams of their own
    // (the clipboard, a load in parts): each starts where the last ended.
    QByteArray bytes = Values(5000); // several blocks
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    for (int i = 0; i < 5000; ++i) {
        TKVStream s(&buf);
        ASSERT_EQ(s.ReadInt32(), i * 7);
        ASSERT_EQ(s.ReadStr(), QStringLiteral("v%1").arg(i));
        ASSERT_EQ(s.ReadFloat(), float(i) / 4);
    }
    EXPECT_TRUE(buf.atEnd());
}

TEST(StreamReadAhead, RemainingCountsWhatIsNotReadYet)
{
    QByteArray bytes = Values(3000);
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    TKVStream s(&buf);
    qint64 read = 0;
    for (int i = 0; i < 3000; ++i) {
        ASSERT_EQ(s.Remaining(), bytes.size() - read);
        s.ReadInt32();
        read += 4 + 4 + s.ReadStr().size();
        s.ReadFloat();
        read += 4;
    }
    EXPECT_EQ(s.Remaining(), 0);
    EXPECT_THROW(s.ReadByte(), EKvStreamError);
}

TEST(StreamReadAhead, ShortDataFailsAtTheValueItCuts)
{
    // Cut inside the last value of the first block and of the whole data:
    // every value before the cut reads, the cut one throws.
    const QByteArray all = Values(8000);
    for (qsizetype cut : {qsizetype(64 * 1024 + 2), all.size() - 1}) {
        QByteArray bytes = all.left(cut);
        QBuffer buf(&bytes);
        buf.open(QIODevice::ReadOnly);
        TKVStream s(&buf);
        qint64 values = 0;
        try {
            for (;;) {
                s.ReadInt32();
                s.ReadStr();
                s.ReadFloat();
                values += 3;
            }
        } catch (const EKvStreamError&) {
        }
        EXPECT_GT(values, 0);
        EXPECT_LT(s.Remaining(), 12) << "only the bytes of the cut value are left";
    }
}

TEST(StreamReadAhead, WriteAfterReadGoesAfterTheValuesRead)
{
    QByteArray bytes = Values(100);
    const qsizetype size = bytes.size();
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadWrite);
    TKVStream s(&buf);
    EXPECT_EQ(s.ReadInt32(), 0);
    s.WriteInt32(-1);
    EXPECT_EQ(buf.pos(), 8);
    EXPECT_EQ(bytes.size(), size);
    EXPECT_EQ(bytes.mid(4, 4), QByteArray("\xff\xff\xff\xff", 4));
}

TEST(StreamReadAhead, DevicesThatCannotSeekAreReadValueByValue)
{
    Pipe pipe(Values(10) + QByteArray("tail"));
    pipe.open(QIODevice::ReadOnly);
    {
        TKVStream s(&pipe);
        EXPECT_EQ(s.Remaining(), -1);
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(s.ReadInt32(), i * 7);
            EXPECT_EQ(s.ReadStr(), QStringLiteral("v%1").arg(i));
            EXPECT_EQ(s.ReadFloat(), float(i) / 4);
        }
    }
    EXPECT_EQ(pipe.readAll(), QByteArray("tail"));
}

TEST(StreamReadAhead, ReadAgainStartsOverWhereTheStreamBeganOnEveryDevice)
{
    // A design whose texts come after its records is read twice by one
    // stream: from a buffer that holds other bytes before it, and from a
    // pipe that cannot go back.
    TKVLab lab;
    auto text = std::make_unique<TKVText>();
    text->Text = QStringLiteral("Łódź 日本");
    lab.Document->AddElement(std::move(text));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    {
        TKVStream s(&out);
        lab.Document->SaveToStream(s, &lab);
    }
    const QByteArray design = out.data();

    QByteArray prefixed = QByteArray("head") + design;
    QBuffer buf(&prefixed);
    buf.open(QIODevice::ReadOnly);
    buf.seek(4);
    Pipe pipe(design);
    pipe.open(QIODevice::ReadOnly);
    for (QIODevice* device : {static_cast<QIODevice*>(&buf), static_cast<QIODevice*>(&pipe)}) {
        TKVLab other;
        TKVObject document;
        TKVStream s(device);
        ASSERT_NO_THROW(document.LoadFromStream(s, &other)) << device->isSequential();
        ASSERT_EQ(document.Count(), 1);
        EXPECT_EQ(static_cast<TKVText*>(document.Items(0))->Text, QStringLiteral("Łódź 日本"));
    }
}

// Writes to a memory buffer go straight into its bytes; the buffer ends where
// a write through it would have left it, also when the caller closes it
// first, and a buffer written from its middle is written through as before.
TEST(StreamReadAhead, WritesToMemoryLeaveTheBufferAsWritesThroughItWould)
{
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType Type, const QMessageLogContext&, const QString& Message) {
            if (Type != QtDebugMsg)
                warnings << Message;
        });
    {
        // Written to memory, and through a device (one that is read too).
        QBuffer memory, device;
        memory.open(QIODevice::WriteOnly);
        device.open(QIODevice::ReadWrite);
        for (QBuffer* buf : {&memory, &device}) {
            {
                TKVStream s(buf);
                s.WriteInt32(1);
                s.WriteStr(QStringLiteral("uno"));
            }
            EXPECT_EQ(buf->pos(), buf->size());
            buf->write("!");
        }
        EXPECT_EQ(memory.data(), device.data());
        EXPECT_TRUE(memory.data().endsWith("uno!"));
    }
    {
        QByteArray bytes("0123456789");
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly | QIODevice::Append);
        buf.seek(2);
        {
            TKVStream s(&buf);
            s.WriteByte('x');
        }
        EXPECT_EQ(bytes, QByteArray("01x3456789"));
    }
    {
        QByteArray bytes;
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        TKVStream s(&buf);
        s.WriteInt32(7);
        buf.close();
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
}
