// KVStrings: the 104 user-visible texts of the library, by name and
// identifier. Spanish is compiled in; a language module beside the library
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

constexpr int KVStringCount = 104;
// Every string of the table, in identifier order.
extern const TResStringRec* const KVStringTable[KVStringCount];

// Texts added after the published table, with identifiers of their own
// (from 65432, the gap below the second run); translated like the others.
extern const TResStringRec KvLetter;
extern const TResStringRec KvExecutive;
extern const TResStringRec KvTabloid;
extern const TResStringRec KvStatement;
extern const TResStringRec KvEn10;
extern const TResStringRec KvEnMonarch;
// "%1" labels of a sheet lie outside the printable area; the first at row
// "%2", column "%3".
extern const TResStringRec KvOffPage;

constexpr int KVAddedStringCount = 7;
extern const TResStringRec* const KVAddedStrings[KVAddedStringCount];

// The text of a resource string in the current language.
QString LoadResString(const TResStringRec* Res);
