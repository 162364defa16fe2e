// The string table: identifiers, names and Spanish texts exactly as hosts and
// translators know them, quirks included ("Alinear Objectos", "Numero
// etiquetas", the blank after "Izquierdo: ").
#include "strings/KVLanguage.h"
#include "strings/KVStrings.h"
#include "types/KVtypes.h"

#include <gtest/gtest.h>
#include <set>

namespace {
struct PublishedString {
    int Identifier;
    const char* Name;
    const char* Text;
};

// The published table, one row per string, in identifier order.
const PublishedString Published[] = {
    {65424, "KvEnC4", "Sobre C4"},
    {65425, "KvEnC6", "Sobre C6"},
    {65426, "KvEnC65", "Sobre C65"},
    {65427, "KvEnB5", "Sobre B5"},
    {65428, "KvEnB4", "Sobre B4"},
    {65429, "KvEnB6", "Sobre B6"},
    {65430, "KvEnInv", "Sobre Invite"},
    {65431, "KvNoTable", "Base de Datos no encontrado"},
    {65440, "KvAddTextPro", "Propiedades Texto Compuesto"},
    {65441, "KvSymbolPro", "Propiedades Símbolo"},
    {65442, "KvParaPro", "Propiedades Párrafo"},
    {65443, "KvRecPro", "Propiedades Rectangulo"},
    {65444, "KvImaPro", "Propiedades Imagen"},
    {65445, "KvLabPro", "Propiedades Etiqueta"},
    {65446, "KvPrintPr", "Vista Preliminar"},
    {65447, "KvText", "Texto"},
    {65448, "KvBorder", "Borde"},
    {65449, "KvShow", "Ver"},
    {65450, "KvFirstP", "Primer Punto"},
    {65451, "KvSecondP", "Segundo Punto"},
    {65452, "KVNumberHeight", "Altura N."},
    {65453, "KvEnDL", "Sobre DL"},
    {65454, "KvEnC5", "Sobre C5"},
    {65455, "KvEnC3", "Sobre C3"},
    {65456, "KvData", "Extraer Datos"},
    {65457, "KVField", "Campo"},
    {65458, "KvTable", "Tabla"},
    {65459, "KvColSelect", "Color Selección"},
    {65460, "KvBackColor", "Color Fondo"},
    {65461, "KvShowNumber", "Ver Número"},
    {65462, "KvCaracDist", "Separación letras"},
    {65463, "KvBarWidth", "Ancho barras"},
    {65464, "KvBarDistance", "Separación Barras"},
    {65465, "KvLeftMargin", "M. Izquierdo"},
    {65466, "KvTopMargin", "M. Superior"},
    {65467, "KVInsert", "Punto Inserción"},
    {65468, "KvExtract", "Extraer"},
    {65469, "KvLinePro", "Propiedades Línea"},
    {65470, "KvBarCodePro", "Propiedades Código Barras"},
    {65471, "KvTextPro", "Propiedades Texto"},
    {65472, "KvAlignBottom", "Abajo"},
    {65473, "KvBarCode", "Barras"},
    {65474, "KVBarType", "Tipo"},
    {65475, "KvDataBase", "Base Datos"},
    {65476, "KvNuLabs", "Numero etiquetas"},
    {65477, "KvFirstCol", "Primera Columna"},
    {65478, "KvFirstRow", "Primera Fila"},
    {65479, "KvPrintFrom", "Imprimir desde"},
    {65480, "KvTo", "hasta"},
    {65481, "KvPrMarg", "Margenes"},
    {65482, "KvDis", "Distribución"},
    {65483, "KvShowLines", "Ver Líneas"},
    {65484, "KvLeft", "Izquierdo: "},
    {65485, "KvRight", "Derecho: "},
    {65486, "KvTop", "Arriba: "},
    {65487, "KvBottom", "Abajo: "},
    {65488, "KvFrame", "Marco"},
    {65489, "KvD1Frame", "Distancia Marco 1"},
    {65490, "KvD2Frame", "Distancia Marco 2"},
    {65491, "KvSnapGrid", "Ajustar a rejilla"},
    {65492, "KvShowGrid", "Ver rejilla"},
    {65493, "KvShowMar", "Ver Márgenes"},
    {65494, "KvFront", "Delante"},
    {65495, "KvPenWidth", "Grosor línea"},
    {65496, "KvImage", "Imagen"},
    {65497, "KvShowImage", "Ver Imagen"},
    {65498, "KvOpenImage", "Abrir Imagen"},
    {65499, "KvAlignOb", "Alinear Objectos"},
    {65500, "KvUser", "Usuario"},
    {65501, "KvAlignLeft", "Izquierdo"},
    {65502, "KvAlignRight", "Derecho"},
    {65503, "KvAlignTop", "Arriba"},
    {65504, "KvSep", "Separacion"},
    {65505, "KvHor", "Horizontal"},
    {65506, "KvVer", "Vertical"},
    {65507, "KvSize", "Tipo Etiqueta"},
    {65508, "KvPrint", "Imprimir"},
    {65509, "KvBack1", "Fondo"},
    {65510, "KvBack", "Atrás"},
    {65511, "KvGrid", "Rejilla"},
    {65512, "KvRow", "Filas"},
    {65513, "KvCol", "Columnas"},
    {65514, "KvPaper", "Papel"},
    {65515, "KvOrien", "Orientación"},
    {65516, "KvPortrait", "Portrait"},
    {65517, "KvLandscape", "Landscape"},
    {65518, "KvGridY", "Distancia Vertical"},
    {65519, "KvGridX", "Distancia Horizontal"},
    {65520, "KvColor", "Color"},
    {65521, "KvDelete", "Borrar"},
    {65522, "KvProperties", "Propiedades"},
    {65523, "KvTransparent", "Transparente"},
    {65524, "KvAngle", "Angulo"},
    {65525, "KvFont", "Fuente"},
    {65526, "KvName", "Nombre"},
    {65527, "KvDim", "Dimensiones"},
    {65528, "KvStyle", "Estilo"},
    {65529, "KvItalic", "Cursiva"},
    {65530, "KvBold", "Negrita"},
    {65531, "KvUnderline", "Subrayado"},
    {65532, "KvBefore", "Prefijo"},
    {65533, "KvAfter", "Sufijo"},
    {65534, "KvHeight", "Altura"},
    {65535, "KvWidth", "Ancho"},
};

TEST(KVStrings, EveryStringIsThePublishedOne)
{
    ASSERT_FALSE(KVLanguage::IsLoaded());
    ASSERT_EQ(std::size(Published), std::size_t(KVStringCount));
    for (int i = 0; i < KVStringCount; ++i) {
        const TResStringRec* res = KVStringTable[i];
        const PublishedString& row = Published[i];
        EXPECT_EQ(res->Identifier, row.Identifier) << row.Name;
        EXPECT_STREQ(res->Name, row.Name);
        EXPECT_EQ(LoadResString(res), QString::fromUtf8(row.Text)) << row.Name;
    }
}

TEST(KVStrings, QuirksAreKept)
{
    EXPECT_EQ(LoadResString(&KvAlignOb), QStringLiteral("Alinear Objectos"));
    EXPECT_EQ(LoadResString(&KvRecPro), QStringLiteral("Propiedades Rectangulo"));
    EXPECT_EQ(LoadResString(&KvNuLabs), QStringLiteral("Numero etiquetas"));
    EXPECT_EQ(LoadResString(&KvPrMarg), QStringLiteral("Margenes"));
    EXPECT_EQ(LoadResString(&KvSep), QStringLiteral("Separacion"));
    EXPECT_EQ(LoadResString(&KvPortrait), QStringLiteral("Portrait"));
    EXPECT_EQ(LoadResString(&KvLandscape), QStringLiteral("Landscape"));
    EXPECT_EQ(LoadResString(&KvLeft), QStringLiteral("Izquierdo: "));
    EXPECT_EQ(LoadResString(&KvRight), QStringLiteral("Derecho: "));
    EXPECT_EQ(LoadResString(&KvTop), QStringLiteral("Arriba: "));
    EXPECT_EQ(LoadResString(&KvBottom), QStringLiteral("Abajo: "));
    EXPECT_NE(LoadResString(&KvBack1), LoadResString(&KvBack));
    EXPECT_EQ(LoadResString(&KvBack1), QStringLiteral("Fondo"));
    EXPECT_EQ(LoadResString(&KvBack), QString::fromUtf8("Atrás"));
}

TEST(KVStrings, IdentifiersFillTwoRunsInBlocks4090To4096)
{
    std::set<int> ids, blocks;
    std::set<std::string> names;
    for (const TResStringRec* res : KVStringTable) {
        ids.insert(res->Identifier);
        names.insert(res->Name);
        blocks.insert(res->Identifier / 16 + 1);
        const bool firstRun = res->Identifier >= 65424 && res->Identifier <= 65431;
        const bool secondRun = res->Identifier >= 65440;
        EXPECT_TRUE(firstRun || secondRun) << res->Identifier;
    }
    EXPECT_EQ(ids.size(), std::size_t(KVStringCount));
    EXPECT_EQ(names.size(), std::size_t(KVStringCount));
    EXPECT_EQ(blocks, (std::set<int>{4090, 4091, 4092, 4093, 4094, 4095, 4096}));
}

TEST(KVStrings, PaperNamesComeFromTheTable)
{
    // Rows named from the string table, and the fixed names of the others.
    const std::pair<int, const char*> rows[] = {
        {0, "A4"}, {1, "A3"}, {2, "A5"}, {3, "B4"}, {4, "B5"}, {5, "Sobre DL"}, {6, "Sobre C5"},
        {7, "Sobre C3"}, {8, "Sobre C4"}, {9, "Quarto"}, {10, "Sobre C6"}, {11, "Sobre C65"},
        {12, "Sobre B4"}, {13, "Sobre B5"}, {14, "Sobre B6"}, {15, "Italy"}, {16, "B4 (ISO)"},
        {17, "Japanese Postcard"}, {18, "Japanese Doble"}, {19, "Sobre Invite"}, {20, "Usuario"},
    };
    for (const auto& [row, name] : rows)
        EXPECT_EQ(Papers[row].Name, QString::fromUtf8(name)) << "row " << row;
    EXPECT_EQ(Papers[UserPaperIndex].Name, LoadResString(&KvUser));
}
}

TEST(KVStrings, AddedStringsHaveIdentifiersAndNamesOfTheirOwn)
{
    // Strings are added by more than one hand: no identifier or name may be
    // taken twice, nor one of the published table.
    std::set<int> ids;
    std::set<std::string> names;
    for (const TResStringRec* res : KVStringTable) {
        ids.insert(res->Identifier);
        names.insert(res->Name);
    }
    for (const TResStringRec* res : KVAddedStringTable) {
        EXPECT_TRUE(ids.insert(res->Identifier).second) << res->Name << " " << res->Identifier;
        EXPECT_TRUE(names.insert(res->Name).second) << res->Name;
    }
    // The papers added after the user row, named in Spanish where they have
    // a name of their own.
    const std::pair<int, const char*> rows[] = {
        {21, "Carta"},       {22, "Legal"}, {23, "Ejecutivo"},    {24, "Tabloide"},
        {25, "Media carta"}, {26, "A6"},    {27, "Sobre n.º 10"}, {28, "Sobre Monarch"},
    };
    ASSERT_EQ(PaperCount, 29);
    for (const auto& [row, name] : rows)
        EXPECT_EQ(Papers[row].Name, QString::fromUtf8(name)) << "row " << row;
}
