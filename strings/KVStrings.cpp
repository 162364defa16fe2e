#include "strings/KVStrings.h"

#include "strings/KVLanguage.h"
#include "types/KVtypes.h"

const TResStringRec KvEnC4{65424, "KvEnC4", "Sobre C4"};
const TResStringRec KvEnC6{65425, "KvEnC6", "Sobre C6"};
const TResStringRec KvEnC65{65426, "KvEnC65", "Sobre C65"};
const TResStringRec KvEnB5{65427, "KvEnB5", "Sobre B5"};
const TResStringRec KvEnB4{65428, "KvEnB4", "Sobre B4"};
const TResStringRec KvEnB6{65429, "KvEnB6", "Sobre B6"};
const TResStringRec KvEnInv{65430, "KvEnInv", "Sobre Invite"};
const TResStringRec KvNoTable{65431, "KvNoTable", "Base de Datos no encontrado"};
const TResStringRec KvAddTextPro{65440, "KvAddTextPro", "Propiedades Texto Compuesto"};
const TResStringRec KvSymbolPro{65441, "KvSymbolPro", "Propiedades Símbolo"};
const TResStringRec KvParaPro{65442, "KvParaPro", "Propiedades Párrafo"};
const TResStringRec KvRecPro{65443, "KvRecPro", "Propiedades Rectangulo"};
const TResStringRec KvImaPro{65444, "KvImaPro", "Propiedades Imagen"};
const TResStringRec KvLabPro{65445, "KvLabPro", "Propiedades Etiqueta"};
const TResStringRec KvPrintPr{65446, "KvPrintPr", "Vista Preliminar"};
const TResStringRec KvText{65447, "KvText", "Texto"};
const TResStringRec KvBorder{65448, "KvBorder", "Borde"};
const TResStringRec KvShow{65449, "KvShow", "Ver"};
const TResStringRec KvFirstP{65450, "KvFirstP", "Primer Punto"};
const TResStringRec KvSecondP{65451, "KvSecondP", "Segundo Punto"};
const TResStringRec KVNumberHeight{65452, "KVNumberHeight", "Altura N."};
const TResStringRec KvEnDL{65453, "KvEnDL", "Sobre DL"};
const TResStringRec KvEnC5{65454, "KvEnC5", "Sobre C5"};
const TResStringRec KvEnC3{65455, "KvEnC3", "Sobre C3"};
const TResStringRec KvData{65456, "KvData", "Extraer Datos"};
const TResStringRec KVField{65457, "KVField", "Campo"};
const TResStringRec KvTable{65458, "KvTable", "Tabla"};
const TResStringRec KvColSelect{65459, "KvColSelect", "Color Selección"};
const TResStringRec KvBackColor{65460, "KvBackColor", "Color Fondo"};
const TResStringRec KvShowNumber{65461, "KvShowNumber", "Ver Número"};
const TResStringRec KvCaracDist{65462, "KvCaracDist", "Separación letras"};
const TResStringRec KvBarWidth{65463, "KvBarWidth", "Ancho barras"};
const TResStringRec KvBarDistance{65464, "KvBarDistance", "Separación Barras"};
const TResStringRec KvLeftMargin{65465, "KvLeftMargin", "M. Izquierdo"};
const TResStringRec KvTopMargin{65466, "KvTopMargin", "M. Superior"};
const TResStringRec KVInsert{65467, "KVInsert", "Punto Inserción"};
const TResStringRec KvExtract{65468, "KvExtract", "Extraer"};
const TResStringRec KvLinePro{65469, "KvLinePro", "Propiedades Línea"};
const TResStringRec KvBarCodePro{65470, "KvBarCodePro", "Propiedades Código Barras"};
const TResStringRec KvTextPro{65471, "KvTextPro", "Propiedades Texto"};
const TResStringRec KvAlignBottom{65472, "KvAlignBottom", "Abajo"};
const TResStringRec KvBarCode{65473, "KvBarCode", "Barras"};
const TResStringRec KVBarType{65474, "KVBarType", "Tipo"};
const TResStringRec KvDataBase{65475, "KvDataBase", "Base Datos"};
const TResStringRec KvNuLabs{65476, "KvNuLabs", "Numero etiquetas"};
const TResStringRec KvFirstCol{65477, "KvFirstCol", "Primera Columna"};
const TResStringRec KvFirstRow{65478, "KvFirstRow", "Primera Fila"};
const TResStringRec KvPrintFrom{65479, "KvPrintFrom", "Imprimir desde"};
const TResStringRec KvTo{65480, "KvTo", "hasta"};
const TResStringRec KvPrMarg{65481, "KvPrMarg", "Margenes"};
const TResStringRec KvDis{65482, "KvDis", "Distribución"};
const TResStringRec KvShowLines{65483, "KvShowLines", "Ver Líneas"};
const TResStringRec KvLeft{65484, "KvLeft", "Izquierdo: "};
const TResStringRec KvRight{65485, "KvRight", "Derecho: "};
const TResStringRec KvTop{65486, "KvTop", "Arriba: "};
const TResStringRec KvBottom{65487, "KvBottom", "Abajo: "};
const TResStringRec KvFrame{65488, "KvFrame", "Marco"};
const TResStringRec KvD1Frame{65489, "KvD1Frame", "Distancia Marco 1"};
const TResStringRec KvD2Frame{65490, "KvD2Frame", "Distancia Marco 2"};
const TResStringRec KvSnapGrid{65491, "KvSnapGrid", "Ajustar a rejilla"};
const TResStringRec KvShowGrid{65492, "KvShowGrid", "Ver rejilla"};
const TResStringRec KvShowMar{65493, "KvShowMar", "Ver Márgenes"};
const TResStringRec KvFront{65494, "KvFront", "Delante"};
const TResStringRec KvPenWidth{65495, "KvPenWidth", "Grosor línea"};
const TResStringRec KvImage{65496, "KvImage", "Imagen"};
const TResStringRec KvShowImage{65497, "KvShowImage", "Ver Imagen"};
const TResStringRec KvOpenImage{65498, "KvOpenImage", "Abrir Imagen"};
const TResStringRec KvAlignOb{65499, "KvAlignOb", "Alinear Objectos"};
const TResStringRec KvUser{65500, "KvUser", "Usuario"};
const TResStringRec KvAlignLeft{65501, "KvAlignLeft", "Izquierdo"};
const TResStringRec KvAlignRight{65502, "KvAlignRight", "Derecho"};
const TResStringRec KvAlignTop{65503, "KvAlignTop", "Arriba"};
const TResStringRec KvSep{65504, "KvSep", "Separacion"};
const TResStringRec KvHor{65505, "KvHor", "Horizontal"};
const TResStringRec KvVer{65506, "KvVer", "Vertical"};
const TResStringRec KvSize{65507, "KvSize", "Tipo Etiqueta"};
const TResStringRec KvPrint{65508, "KvPrint", "Imprimir"};
const TResStringRec KvBack1{65509, "KvBack1", "Fondo"};
const TResStringRec KvBack{65510, "KvBack", "Atrás"};
const TResStringRec KvGrid{65511, "KvGrid", "Rejilla"};
const TResStringRec KvRow{65512, "KvRow", "Filas"};
const TResStringRec KvCol{65513, "KvCol", "Columnas"};
const TResStringRec KvPaper{65514, "KvPaper", "Papel"};
const TResStringRec KvOrien{65515, "KvOrien", "Orientación"};
const TResStringRec KvPortrait{65516, "KvPortrait", "Portrait"};
const TResStringRec KvLandscape{65517, "KvLandscape", "Landscape"};
const TResStringRec KvGridY{65518, "KvGridY", "Distancia Vertical"};
const TResStringRec KvGridX{65519, "KvGridX", "Distancia Horizontal"};
const TResStringRec KvColor{65520, "KvColor", "Color"};
const TResStringRec KvDelete{65521, "KvDelete", "Borrar"};
const TResStringRec KvProperties{65522, "KvProperties", "Propiedades"};
const TResStringRec KvTransparent{65523, "KvTransparent", "Transparente"};
const TResStringRec KvAngle{65524, "KvAngle", "Angulo"};
const TResStringRec KvFont{65525, "KvFont", "Fuente"};
const TResStringRec KvName{65526, "KvName", "Nombre"};
const TResStringRec KvDim{65527, "KvDim", "Dimensiones"};
const TResStringRec KvStyle{65528, "KvStyle", "Estilo"};
const TResStringRec KvItalic{65529, "KvItalic", "Cursiva"};
const TResStringRec KvBold{65530, "KvBold", "Negrita"};
const TResStringRec KvUnderline{65531, "KvUnderline", "Subrayado"};
const TResStringRec KvBefore{65532, "KvBefore", "Prefijo"};
const TResStringRec KvAfter{65533, "KvAfter", "Sufijo"};
const TResStringRec KvHeight{65534, "KvHeight", "Altura"};
const TResStringRec KvWidth{65535, "KvWidth", "Ancho"};

const TResStringRec KvLimitLabel{0, "KvLimitLabel", "La etiqueta"};
const TResStringRec KvLimitElement{0, "KvLimitElement", "El elemento %1 (%2)"};
const TResStringRec KvLimitCopied{0, "KvLimitCopied", "El elemento a copiar (%1)"};
const TResStringRec KvLimitRange{0, "KvLimitRange", "%1 no cabe en un archivo de etiquetas: %2 vale %3 y debe estar entre %4 y %5"};
const TResStringRec KvLimitMax{0, "KvLimitMax", "%1 no cabe en un archivo de etiquetas: %2 vale %3 y no puede pasar de %4"};
const TResStringRec KvLimitText{0, "KvLimitText", "%1 no cabe en un archivo de etiquetas: %2 tiene %3 caracteres y no puede pasar de %4"};
const TResStringRec KvLimitElements{0, "KvLimitElements", "El diseño no cabe en un archivo de etiquetas: tiene %1 elementos y no puede pasar de %2"};
const TResStringRec KvLimitFileSize{0, "KvLimitFileSize", "El diseño no cabe en un archivo de etiquetas: ocupa %1 bytes y no puede pasar de %2"};
const TResStringRec KvKindLine{0, "KvKindLine", "línea"};
const TResStringRec KvKindText{0, "KvKindText", "texto"};
const TResStringRec KvKindBar{0, "KvKindBar", "código de barras"};
const TResStringRec KvKindRect{0, "KvKindRect", "rectángulo"};
const TResStringRec KvKindSymbol{0, "KvKindSymbol", "símbolo"};
const TResStringRec KvKindPoliText{0, "KvKindPoliText", "texto compuesto"};
const TResStringRec KvKindImage{0, "KvKindImage", "imagen"};
const TResStringRec KvKindParagraph{0, "KvKindParagraph", "párrafo"};

const TResStringRec* const KVStringTable[KVStringCount] = {
    &KvEnC4,
    &KvEnC6,
    &KvEnC65,
    &KvEnB5,
    &KvEnB4,
    &KvEnB6,
    &KvEnInv,
    &KvNoTable,
    &KvAddTextPro,
    &KvSymbolPro,
    &KvParaPro,
    &KvRecPro,
    &KvImaPro,
    &KvLabPro,
    &KvPrintPr,
    &KvText,
    &KvBorder,
    &KvShow,
    &KvFirstP,
    &KvSecondP,
    &KVNumberHeight,
    &KvEnDL,
    &KvEnC5,
    &KvEnC3,
    &KvData,
    &KVField,
    &KvTable,
    &KvColSelect,
    &KvBackColor,
    &KvShowNumber,
    &KvCaracDist,
    &KvBarWidth,
    &KvBarDistance,
    &KvLeftMargin,
    &KvTopMargin,
    &KVInsert,
    &KvExtract,
    &KvLinePro,
    &KvBarCodePro,
    &KvTextPro,
    &KvAlignBottom,
    &KvBarCode,
    &KVBarType,
    &KvDataBase,
    &KvNuLabs,
    &KvFirstCol,
    &KvFirstRow,
    &KvPrintFrom,
    &KvTo,
    &KvPrMarg,
    &KvDis,
    &KvShowLines,
    &KvLeft,
    &KvRight,
    &KvTop,
    &KvBottom,
    &KvFrame,
    &KvD1Frame,
    &KvD2Frame,
    &KvSnapGrid,
    &KvShowGrid,
    &KvShowMar,
    &KvFront,
    &KvPenWidth,
    &KvImage,
    &KvShowImage,
    &KvOpenImage,
    &KvAlignOb,
    &KvUser,
    &KvAlignLeft,
    &KvAlignRight,
    &KvAlignTop,
    &KvSep,
    &KvHor,
    &KvVer,
    &KvSize,
    &KvPrint,
    &KvBack1,
    &KvBack,
    &KvGrid,
    &KvRow,
    &KvCol,
    &KvPaper,
    &KvOrien,
    &KvPortrait,
    &KvLandscape,
    &KvGridY,
    &KvGridX,
    &KvColor,
    &KvDelete,
    &KvProperties,
    &KvTransparent,
    &KvAngle,
    &KvFont,
    &KvName,
    &KvDim,
    &KvStyle,
    &KvItalic,
    &KvBold,
    &KvUnderline,
    &KvBefore,
    &KvAfter,
    &KvHeight,
    &KvWidth,
};

const TResStringRec KvToLast{65407, "KvToLast", "hasta el último"};
const TResStringRec KvPrevFirst{65408, "KvPrevFirst", "Primera página"};
const TResStringRec KvPrevPrior{65409, "KvPrevPrior", "Página anterior"};
const TResStringRec KvPrevNext{65410, "KvPrevNext", "Página siguiente"};
const TResStringRec KvPrevLast{65411, "KvPrevLast", "Última página"};
const TResStringRec KvPrevWhole{65412, "KvPrevWhole", "Página entera"};
const TResStringRec KvPrevWidth{65413, "KvPrevWidth", "Ancho de página"};
const TResStringRec KvPrevZoomOut{65414, "KvPrevZoomOut", "Reducir"};
const TResStringRec KvPrevZoomIn{65415, "KvPrevZoomIn", "Ampliar"};
const TResStringRec KvPrevPageOf{65416, "KvPrevPageOf", "Página %1 de %2"};
const TResStringRec KvPrintNoStart{65417, "KvPrintNoStart", "No se puede iniciar la impresión en «%1»."};
const TResStringRec KvPrintBroken{65418, "KvPrintBroken", "La impresión en «%1» no se ha completado."};

const TResStringRec KvSourceGone{65423, "KvSourceGone",
                                 "El origen de datos «%1» no está disponible en este equipo: no es un alias registrado "
                                 "ni una ruta existente, o lo que nombra ya no existe. El diseño lo conserva; sus "
                                 "registros no se pueden leer aquí."};
const TResStringRec KvTableGone{65422, "KvTableGone",
                                "La tabla «%1» no existe en «%2». El diseño la conserva; sus registros no se pueden "
                                "leer aquí."};
const TResStringRec KvNotHere{65421, "KvNotHere", "(no disponible)"};
const TResStringRec KvBackNotPrinted{65420, "KvBackNotPrinted",
                                     "El fondo es una ayuda de dibujo: solo se ve en el diseñador y nunca se imprime."};
const TResStringRec KvPictures{65419, "KvPictures", "Imágenes"};

const TResStringRec KvLetter{65432, "KvLetter", "Carta"};
const TResStringRec KvExecutive{65433, "KvExecutive", "Ejecutivo"};
const TResStringRec KvTabloid{65434, "KvTabloid", "Tabloide"};
const TResStringRec KvStatement{65435, "KvStatement", "Media carta"};
const TResStringRec KvEn10{65436, "KvEn10", "Sobre n.º 10"};
const TResStringRec KvEnMonarch{65437, "KvEnMonarch", "Sobre Monarch"};
const TResStringRec KvOffPage{65438, "KvOffPage",
                               "Etiquetas fuera del área imprimible: %1 (la primera en la fila %2, columna %3)"};

const TResStringRec KvBarCharacter{65406, "KvBarCharacter", "Carácter no válido para este tipo de código"};
const TResStringRec KvBarCheckDigit{65405, "KvBarCheckDigit", "Dígito de control incorrecto: debería ser %1"};
const TResStringRec KvBarLength{65404, "KvBarLength", "Longitud no válida para este tipo de código"};
const TResStringRec KvBarTooLong{65403, "KvBarTooLong", "Demasiados datos para este tipo de código"};
const TResStringRec KvBarGs1{65402, "KvBarGs1", "Datos GS1 no válidos: cada dato empieza por su identificador entre paréntesis, p. ej. (01)"};
const TResStringRec KvBarGs1Ai{65401, "KvBarGs1Ai", "Datos no válidos para el identificador GS1 (%1)"};
const TResStringRec KvBarEmpty{65400, "KvBarEmpty", "Sin datos"};
const TResStringRec KvBarInvalid{65399, "KvBarInvalid", "Datos no válidos para este tipo de código (%1)"};
const TResStringRec KvBarQuietZone{65398, "KvBarQuietZone", "Margen menor que la zona de silencio: al menos %1 mm"};
const TResStringRec KvBarFixCheck{65397, "KvBarFixCheck", "Corregir"};
const TResStringRec KvBarEcLevel{65396, "KvBarEcLevel", "Corrección de errores"};
const TResStringRec KvBarGs1Mode{65395, "KvBarGs1Mode", "Datos GS1"};
// How a text too long for its room is drawn.
const TResStringRec KvFit{65320, "KvFit", "Ajuste"};
const TResStringRec KvFitNone{65319, "KvFitNone", "Tal cual"};
const TResStringRec KvFitShrink{65318, "KvFitShrink", "Reducir hasta que quepa"};
const TResStringRec KvFitClip{65317, "KvFitClip", "Recortar en el borde de la etiqueta"};
const TResStringRec KvFitLeast{65316, "KvFitLeast", "Mínimo :"};

const TResStringRec* const KVAddedStringTable[KVAddedStringCount] = {
    &KvPrevFirst,
    &KvPrevPrior,
    &KvPrevNext,
    &KvPrevLast,
    &KvPrevWhole,
    &KvPrevWidth,
    &KvPrevZoomOut,
    &KvPrevZoomIn,
    &KvPrevPageOf,
    &KvPrintNoStart,
    &KvPrintBroken,
    &KvPictures,
    &KvBackNotPrinted,
    &KvNotHere,
    &KvTableGone,
    &KvSourceGone,
    &KvLetter,
    &KvExecutive,
    &KvTabloid,
    &KvStatement,
    &KvEn10,
    &KvEnMonarch,
    &KvOffPage,
    &KvToLast,
    &KvBarCharacter,
    &KvBarCheckDigit,
    &KvBarLength,
    &KvBarTooLong,
    &KvBarGs1,
    &KvBarGs1Ai,
    &KvBarEmpty,
    &KvBarInvalid,
    &KvBarQuietZone,
    &KvBarFixCheck,
    &KvBarEcLevel,
    &KvBarGs1Mode,
    &KvFit,
    &KvFitNone,
    &KvFitShrink,
    &KvFitClip,
    &KvFitLeast,
};

QString LoadResString(const TResStringRec* Res)
{
    const QString translated = KVLanguage::Translate(Res);
    return translated.isEmpty() ? QString::fromUtf8(Res->Text) : translated;
}

QString LabelFileReadError() { return KVLanguage::Text("KVMessages", "No se puede leer el archivo elegido"); }

QString ElementKindName(TKVEle Kind)
{
    switch (Kind) {
    case deLine: return LoadResString(&KvKindLine);
    case deText: return LoadResString(&KvKindText);
    case deBar: return LoadResString(&KvKindBar);
    case deRect: return LoadResString(&KvKindRect);
    case deSymbol: return LoadResString(&KvKindSymbol);
    case dePoliText: return LoadResString(&KvKindPoliText);
    case deImage: return LoadResString(&KvKindImage);
    case deParagraph: return LoadResString(&KvKindParagraph);
    default: return QString::number(int(Kind));
    }
}
