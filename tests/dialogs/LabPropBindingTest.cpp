// Looking at the label dialog is no change: every example design, and
// designs whose data source or table is not available here, come out of the
// dialog opened on any page and closed untouched byte for byte as they went
// in, data binding and number of labels included.
#include "LabPropTestFixture.h"

#include "document/TKVSession.h"

#include <QLabel>

namespace {
const QString ExampleAlias = QStringLiteral("ejemplos");

struct TBinding {
    QString DatabaseName, TableName, Filter;
    bool DaBa = false;
    int Labs = 0, FirstLab = 0, LastLab = 0;
    bool operator==(const TBinding&) const = default;
};

TBinding BindingOf(const TKVLab& Lab)
{
    return {Lab.Table->DatabaseName, Lab.Table->TableName, Lab.Table->Filter,         Lab.DaBa,
            Lab.PrintInfo->Labs,     Lab.PrintInfo->FirstLab, Lab.PrintInfo->LastLab};
}

void PrintTo(const TBinding& B, std::ostream* Os)
{
    *Os << B.DatabaseName.toStdString() << "/" << B.TableName.toStdString() << " [" << B.Filter.toStdString()
        << "] DaBa " << B.DaBa << ", Labs " << B.Labs << ", records " << B.FirstLab << "-" << B.LastLab;
}

class LabPropUntouched : public LabPropFixture
{
protected:
    void TearDown() override
    {
        LabPropFixture::TearDown();
        TKVSession::DeleteAlias(ExampleAlias);
    }

    QByteArray Saved(const QString& File)
    {
        Lab->SaveLab(File);
        return TestSupport::ReadFile(File);
    }
};
}

TEST_F(LabPropUntouched, OpeningAndClosingKeepsEveryDesignAsItWas)
{
    const QString dir = TestSupport::TempDir();
    const QString database = TestSupport::BinaryPath(QStringLiteral("examples/clientes.db"));
    // The same designs with the example alias on the CSV folder, whose
    // tables are listed as "clientes.csv" while the designs say "clientes".
    const QString csv = TestSupport::BinaryPath(QStringLiteral("examples/csv"));

    // A design bound to an alias of another computer, and one bound to a
    // table the example database lacks.
    TKVSession::AddAlias(ExampleAlias, database);
    Lab->LoadLab(TestSupport::SourcePath(QStringLiteral("examples/direcciones.lab")));
    Lab->Table->DatabaseName = QStringLiteral("archivo_central");
    Lab->SaveLab(dir + QStringLiteral("/otro-equipo.lab"));
    Lab->Table->DatabaseName = ExampleAlias;
    Lab->Table->TableName = QStringLiteral("socios");
    Lab->SaveLab(dir + QStringLiteral("/sin-tabla.lab"));

    const struct {
        QString Design;
        QString Source; // where the example alias points
        QString State;  // what the data page says, empty: nothing
    } rows[] = {
        {TestSupport::SourcePath(QStringLiteral("examples/direcciones.lab")), database, {}},
        {TestSupport::SourcePath(QStringLiteral("examples/envio.lab")), database, {}},
        {TestSupport::SourcePath(QStringLiteral("examples/productos.lab")), database, {}},
        {TestSupport::SourcePath(QStringLiteral("examples/credenciales.lab")), database, {}},
        {TestSupport::SourcePath(QStringLiteral("examples/direcciones.lab")), csv, {}},
        {dir + QStringLiteral("/otro-equipo.lab"), database,
         QString::fromUtf8("El origen de datos «archivo_central» no está disponible en este equipo")},
        {dir + QStringLiteral("/sin-tabla.lab"), database,
         QString::fromUtf8("La tabla «socios» no existe en «ejemplos»")},
    };
    const std::function<void(TPropLab&)> closings[] = {[](TPropLab& D) { D.accept(); },
                                                        [](TPropLab& D) { D.reject(); }};
    const auto saved = TPropLab::ShowModal();
    for (const auto& row : rows) {
        TKVSession::AddAlias(ExampleAlias, row.Source);
        for (int page = 0; page < 4; ++page) {
            for (int how = 0; how < 2; ++how) {
                SCOPED_TRACE(row.Design.toStdString() + " with " + row.Source.toStdString() + ", page " +
                             std::to_string(page) + (how == 0 ? ", accepted" : ", rejected"));
                Lab->LoadLab(row.Design);
                const QByteArray before = Saved(dir + QStringLiteral("/before.lab"));
                const TBinding binding = BindingOf(*Lab);
                const bool dataOK = Lab->DataOK;
                TestSupport::TakeMessages();
                QString state, alias, table;
                TPropLab::ShowModal() = [&](TPropLab* D) {
                    const auto* label = D->findChild<QLabel*>(QStringLiteral("LabSourceState"));
                    state = label->isHidden() ? QString() : label->text();
                    alias = D->findChild<QComboBox*>(QStringLiteral("CBoxAlias"))->currentText();
                    table = D->findChild<QComboBox*>(QStringLiteral("CBoxTables"))->currentText();
                    closings[how](*D);
                };
                Lab->ShowProp(page);
                TPropLab::ShowModal() = saved;

                EXPECT_EQ(Saved(dir + QStringLiteral("/after.lab")), before);
                EXPECT_EQ(BindingOf(*Lab), binding);
                EXPECT_EQ(Lab->DataOK, dataOK);
                EXPECT_TRUE(TestSupport::TakeMessages().isEmpty()) << "the data page says it, no message box";
                if (row.State.isEmpty())
                    EXPECT_TRUE(state.isEmpty()) << state.toStdString();
                else
                    EXPECT_TRUE(state.startsWith(row.State)) << state.toStdString();
                // The lists show the design's own names (marked when they are
                // not available here); an unbound design shows none.
                EXPECT_TRUE(binding.DatabaseName.isEmpty() ? alias.isEmpty() : alias.startsWith(binding.DatabaseName))
                    << alias.toStdString();
                EXPECT_TRUE(binding.TableName.isEmpty() ? table.isEmpty() : table.startsWith(binding.TableName))
                    << table.toStdString();
            }
        }
    }
}
