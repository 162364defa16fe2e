// CSV folders: RFC 4180 records, encodings, column typing and table names.
#include "DataFixtures.h"
#include "common/TestSupport.h"
#include "document/TKVSession.h"
#include "document/TKVTable.h"

#include <gtest/gtest.h>

using namespace DataFixtures;

namespace {
class Csv : public ::testing::Test
{
protected:
    void SetUp() override { Dir = TestSupport::TempDir(); }

    // Every record of the table as its field texts.
    std::vector<QStringList> Read(const QByteArray& Bytes, const QString& Filter = QString())
    {
        WriteCsv(Dir, QStringLiteral("t.csv"), Bytes);
        Table = std::make_unique<TKVTable>();
        Table->DatabaseName = Dir;
        Table->TableName = QStringLiteral("t");
        Table->Filter = Filter;
        Table->Filtered = true;
        Table->Open();
        std::vector<QStringList> rows;
        for (int n = Table->RecordCount(); n > 0; --n) {
            QStringList row;
            for (int i = 0; i < Table->FieldCount(); ++i)
                row << Table->Fields(i)->AsString();
            rows.push_back(row);
            Table->Next();
        }
        return rows;
    }

    QStringList Header() const
    {
        QStringList names;
        for (int i = 0; i < Table->FieldCount(); ++i)
            names << Table->Fields(i)->FieldName;
        return names;
    }

    QString Dir;
    std::unique_ptr<TKVTable> Table;
};

TEST_F(Csv, ReadsRfc4180Records)
{
    // RFC 4180 section 2: rules 5 to 7 (quoted fields with commas, line
    // breaks and doubled quotes), CRLF record ends, optional final break.
    const auto rows = Read("a,b,c\r\n"
                           "\"x, y\",\"say \"\"hi\"\"\",plain\r\n"
                           "\"two\r\nlines\",,\"\"\r\n"
                           "last,row,end");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(Header(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(rows[0], (QStringList{"x, y", "say \"hi\"", "plain"}));
    EXPECT_EQ(rows[1], (QStringList{"two\nlines", "", ""}));
    EXPECT_EQ(rows[2], (QStringList{"last", "row", "end"}));
}

TEST_F(Csv, ForgivesRaggedRowsBlankLinesAndStrayQuotes)
{
    const auto rows = Read("a,b\n"
                           "1\n"              // short: missing fields are empty
                           "\n"               // blank line: no record
                           "2,3,4\n"          // long: extra fields dropped
                           "it\"s,\"q\"x\n"   // quotes inside or after a field kept as text
                           "\"open,end\n");   // unterminated quote ends with the file
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (QStringList{"1", ""}));
    EXPECT_EQ(rows[1], (QStringList{"2", "3"}));
    EXPECT_EQ(rows[2], (QStringList{"it\"s", "qx"}));
    EXPECT_EQ(rows[3], (QStringList{"open,end", ""}));
}

TEST_F(Csv, ReadsUtf8WithOrWithoutByteOrderMark)
{
    const QByteArray body = QStringLiteral("ciudad,nombre\nM\u00e1laga,\u00d1and\u00fa\n").toUtf8();
    for (const QByteArray& bytes : {body, QByteArray("\xEF\xBB\xBF") + body}) {
        const auto rows = Read(bytes);
        EXPECT_EQ(Header(), (QStringList{QStringLiteral("ciudad"), QStringLiteral("nombre")}));
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0], (QStringList{QStringLiteral("M\u00e1laga"), QStringLiteral("\u00d1and\u00fa")}));
        EXPECT_NE(Table->FindField(QStringLiteral("ciudad")), nullptr);
    }
}

TEST_F(Csv, ColumnIsBooleanWhenEveryValueIsABooleanWord)
{
    Read("yn,word,num,mixed,blank,someempty\n"
         "s\u00ed,TRUE,1,yes,,Y\n"
         "No,f,0,maybe,,\n"
         "SI,t,1,no,,n\n");
    const TKVFieldType expected[] = {TKVFieldType::ftBoolean, TKVFieldType::ftBoolean, TKVFieldType::ftBoolean,
                                     TKVFieldType::ftString,  TKVFieldType::ftString,  TKVFieldType::ftBoolean};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Table->Fields(i)->DataType, expected[i]) << Table->Fields(i)->FieldName.toStdString();
    Table->First();
    EXPECT_TRUE(Table->Fields(0)->AsBoolean());
    EXPECT_EQ(Table->Fields(0)->AsString(), QStringLiteral("s\u00ed")); // the text as written
    Table->Next();
    EXPECT_FALSE(Table->Fields(0)->AsBoolean());
    EXPECT_FALSE(Table->Fields(5)->AsBoolean());
}

TEST_F(Csv, TypingStopsEarlyYetCountsAndReadsEveryRecord)
{
    // Text columns are known from the first row; a Boolean-looking column
    // is decided only by its last value. Records are counted and read
    // whole either way, also with a filter.
    QByteArray text = "name,city\n", late = "name,flag\n";
    for (int i = 0; i < 5000; ++i) {
        text += "n" + QByteArray::number(i) + ",c\n";
        late += "n" + QByteArray::number(i) + (i < 4999 ? ",yes\n" : ",later\n");
    }
    auto rows = Read(text);
    EXPECT_EQ(rows.size(), 5000u);
    EXPECT_EQ(rows.back()[0], QStringLiteral("n4999"));
    EXPECT_EQ(Table->Fields(1)->DataType, TKVFieldType::ftString);
    rows = Read(late);
    EXPECT_EQ(rows.size(), 5000u);
    EXPECT_EQ(Table->Fields(1)->DataType, TKVFieldType::ftString) << "the last value is no Boolean word";
    rows = Read(text, QStringLiteral("([name] = 'n4998')"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], QStringLiteral("n4998"));
}

TEST_F(Csv, FiltersCompareNumbersAsNumbers)
{
    const auto rows = Read("n,t\n9,a\n10,b\n100,c\n12.5,d\n", QStringLiteral("([n] >= 10) AND ([n] < 100)"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][1], QStringLiteral("b"));
    EXPECT_EQ(rows[1][1], QStringLiteral("d"));
}

TEST_F(Csv, HeaderOnlyAndEmptyFiles)
{
    EXPECT_TRUE(Read("a,b\n").empty());
    EXPECT_EQ(Table->FieldCount(), 2);
    EXPECT_EQ(Table->GetRecNo(), 0);
    EXPECT_THROW(Read(""), EDBError);
}

TEST_F(Csv, TablesAreTheCsvFilesOfTheFolderOnly)
{
    WriteCsv(Dir, QStringLiteral("b.csv"), "x\n1\n");
    WriteCsv(Dir, QStringLiteral("A.CSV"), "x\n1\n");
    WriteCsv(Dir, QStringLiteral("notes.txt"), "x\n1\n");
    const QString sub = Dir + QStringLiteral("/sub");
    MakeCsvCustomers(sub);
    EXPECT_EQ(TKVSession::GetTableNames(Dir), (QStringList{QStringLiteral("A.CSV"), QStringLiteral("b.csv")}));
    EXPECT_EQ(TKVSession::GetTableNames(Dir, QString(), false), (QStringList{QStringLiteral("A"), QStringLiteral("b")}));
    TKVTable t;
    t.DatabaseName = Dir;
    for (const char* ok : {"a", "A.CSV", "a.csv", "B"}) {
        t.TableName = QString::fromUtf8(ok);
        EXPECT_NO_THROW(t.Open()) << ok;
        t.Close();
    }
    // Nothing outside the folder's own .csv files can be named.
    for (const char* bad : {"notes", "notes.txt", "sub/clientes", "sub/clientes.csv", "../b", "/etc/passwd", ""}) {
        t.TableName = QString::fromUtf8(bad);
        EXPECT_THROW(t.Open(), EDBError) << bad;
    }
}
}
