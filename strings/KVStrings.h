// KVStrings: the user-visible texts of the library (the 104 of the published
// table and those added since), by name and identifier, and the texts of its
// messages. Spanish is compiled in; a language module beside the library
// replaces them (see LoadResString).
#pragma once

#include <QString>
#include <cstdint>

struct TResStringRec {
    std::uint16_t Identifier;
    const char* Name;
    const char* Text; // the Spanish default, UTF-8
};

extern const TResStringRec KvEnC4;
extern const TResStringRec KvEnC6;
extern const TResStringRec KvEnC65;
extern const TResStringRec KvEnB5;
extern const TResStringRec KvEnB4;
extern const TResStringRec KvEnB6;
extern const TResStringRec KvEnInv;
extern const TResStringRec KvNoTable;
extern const TResStringRec KvAddTextPro;
extern const TResStringRec KvSymbolPro;
extern const TResStringRec KvParaPro;
extern const TResStringRec KvRecPro;
extern const TResStringRec KvImaPro;
extern const TResStringRec KvLabPro;
extern const TResStringRec KvPrintPr;
extern const TResStringRec KvText;
extern const TResStringRec KvBorder;
extern const TResStringRec KvShow;
extern const TResStringRec KvFirstP;
extern const TResStringRec KvSecondP;
extern const TResStringRec KVNumberHeight;
extern const TResStringRec KvEnDL;
extern const TResStringRec KvEnC5;
extern const TResStringRec KvEnC3;
extern const TResStringRec KvData;
extern const TResStringRec KVField;
extern const TResStringRec KvTable;
extern const TResStringRec KvColSelect;
extern const TResStringRec KvBackColor;
extern const TResStringRec KvShowNumber;
extern const TResStringRec KvCaracDist;
extern const TResStringRec KvBarWidth;
extern const TResStringRec KvBarDistance;
extern const TResStringRec KvLeftMargin;
extern const TResStringRec KvTopMargin;
extern const TResStringRec KVInsert;
extern const TResStringRec KvExtract;
extern const TResStringRec KvLinePro;
extern const TResStringRec KvBarCodePro;
extern const TResStringRec KvTextPro;
extern const TResStringRec KvAlignBottom;
extern const TResStringRec KvBarCode;
extern const TResStringRec KVBarType;
extern const TResStringRec KvDataBase;
extern const TResStringRec KvNuLabs;
extern const TResStringRec KvFirstCol;
extern const TResStringRec KvFirstRow;
extern const TResStringRec KvPrintFrom;
extern const TResStringRec KvTo;
extern const TResStringRec KvPrMarg;
extern const TResStringRec KvDis;
extern const TResStringRec KvShowLines;
extern const TResStringRec KvLeft;
extern const TResStringRec KvRight;
extern const TResStringRec KvTop;
extern const TResStringRec KvBottom;
extern const TResStringRec KvFrame;
extern const TResStringRec KvD1Frame;
extern const TResStringRec KvD2Frame;
extern const TResStringRec KvSnapGrid;
extern const TResStringRec KvShowGrid;
extern const TResStringRec KvShowMar;
extern const TResStringRec KvFront;
extern const TResStringRec KvPenWidth;
extern const TResStringRec KvImage;
extern const TResStringRec KvShowImage;
extern const TResStringRec KvOpenImage;
extern const TResStringRec KvAlignOb;
extern const TResStringRec KvUser;
extern const TResStringRec KvAlignLeft;
extern const TResStringRec KvAlignRight;
extern const TResStringRec KvAlignTop;
extern const TResStringRec KvSep;
extern const TResStringRec KvHor;
extern const TResStringRec KvVer;
extern const TResStringRec KvSize;
extern const TResStringRec KvPrint;
extern const TResStringRec KvBack1;
extern const TResStringRec KvBack;
extern const TResStringRec KvGrid;
extern const TResStringRec KvRow;
extern const TResStringRec KvCol;
extern const TResStringRec KvPaper;
extern const TResStringRec KvOrien;
extern const TResStringRec KvPortrait;
extern const TResStringRec KvLandscape;
extern const TResStringRec KvGridY;
extern const TResStringRec KvGridX;
extern const TResStringRec KvColor;
extern const TResStringRec KvDelete;
extern const TResStringRec KvProperties;
extern const TResStringRec KvTransparent;
extern const TResStringRec KvAngle;
extern const TResStringRec KvFont;
extern const TResStringRec KvName;
extern const TResStringRec KvDim;
extern const TResStringRec KvStyle;
extern const TResStringRec KvItalic;
extern const TResStringRec KvBold;
extern const TResStringRec KvUnderline;
extern const TResStringRec KvBefore;
extern const TResStringRec KvAfter;
extern const TResStringRec KvHeight;
extern const TResStringRec KvWidth;

// Texts of the library's messages, beyond the published table: they have no
// identifier (0) and are translated by name like the others.
extern const TResStringRec KvLimitLabel;
extern const TResStringRec KvLimitElement;
extern const TResStringRec KvLimitCopied;
extern const TResStringRec KvLimitRange;
extern const TResStringRec KvLimitMax;
extern const TResStringRec KvLimitText;
extern const TResStringRec KvLimitElements;
extern const TResStringRec KvLimitFileSize;
extern const TResStringRec KvKindLine;
extern const TResStringRec KvKindText;
extern const TResStringRec KvKindBar;
extern const TResStringRec KvKindRect;
extern const TResStringRec KvKindSymbol;
extern const TResStringRec KvKindPoliText;
extern const TResStringRec KvKindImage;
extern const TResStringRec KvKindParagraph;

constexpr int KVStringCount = 104;
// Every string of the table, in identifier order.
extern const TResStringRec* const KVStringTable[KVStringCount];

// Texts the library gained after the table above was published. They are
// read and translated like the table's strings, under their names, with
// identifiers in the block just below the table's.
// The preview window's tool tips, page counter and printing messages:
extern const TResStringRec KvPrevFirst;
extern const TResStringRec KvPrevPrior;
extern const TResStringRec KvPrevNext;
extern const TResStringRec KvPrevLast;
extern const TResStringRec KvPrevWhole;
extern const TResStringRec KvPrevWidth;
extern const TResStringRec KvPrevZoomOut;
extern const TResStringRec KvPrevZoomIn;
extern const TResStringRec KvPrevPageOf;   // %1 the page, %2 the pages
extern const TResStringRec KvPrintNoStart; // %1 the printer or output file
extern const TResStringRec KvPrintBroken;  // %1 the printer or output file
// The label dialog's data source and pictures:
extern const TResStringRec KvPictures;       // the picture chooser's "every picture" entry
extern const TResStringRec KvBackNotPrinted; // the background surface is never printed
extern const TResStringRec KvNotHere;        // marks a list entry that is not available
extern const TResStringRec KvTableGone;      // the design's table is not in its data source
extern const TResStringRec KvSourceGone;     // the design's data source is not on this computer
extern const TResStringRec KvToLast;         // a data run prints up to the last record there is

// Papers, and the labels a page cannot hold (identifiers from 65432, the
// gap below the table's second run):
extern const TResStringRec KvLetter;
extern const TResStringRec KvExecutive;
extern const TResStringRec KvTabloid;
extern const TResStringRec KvStatement;
extern const TResStringRec KvEn10;
extern const TResStringRec KvEnMonarch;
// "%1" labels of a sheet lie outside the printable area; the first at row
// "%2", column "%3".
extern const TResStringRec KvOffPage;

// The barcode element's reasons for refusing data, and the barcode dialog's
// options and warnings (identifiers from 65406 down):
extern const TResStringRec KvBarCharacter;
extern const TResStringRec KvBarCheckDigit;
extern const TResStringRec KvBarLength;
extern const TResStringRec KvBarTooLong;
extern const TResStringRec KvBarGs1;
extern const TResStringRec KvBarGs1Ai;
extern const TResStringRec KvBarEmpty;
extern const TResStringRec KvBarInvalid;
extern const TResStringRec KvBarQuietZone;
extern const TResStringRec KvBarFixCheck;
extern const TResStringRec KvBarEcLevel;
extern const TResStringRec KvBarGs1Mode;

constexpr int KVAddedStringCount = 41;
// How a text too long for its room is drawn (the text dialogs).
extern const TResStringRec KvFit;
extern const TResStringRec KvFitNone;
extern const TResStringRec KvFitShrink;
extern const TResStringRec KvFitClip;
extern const TResStringRec KvFitLeast;
extern const TResStringRec* const KVAddedStringTable[KVAddedStringCount];

// The text of a resource string in the current language.
QString LoadResString(const TResStringRec* Res);

enum TKVEle : std::uint8_t;
// The name of an element kind as users read it ("texto", "código de barras").
QString ElementKindName(TKVEle Kind);

// The one message for a label file that cannot be read, whatever the cause:
// every reader gives it.
QString LabelFileReadError();
