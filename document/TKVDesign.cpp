#include "document/TKVDesign.h"

#include "document/TKVBackSurf.h"
#include "document/TKVFrame.h"
#include "document/TKVGrid.h"
#include "document/TKVMeasure.h"
#include "document/TKVObject.h"
#include "document/TKVPrintInfo.h"
#include "document/TKVTable.h"

TKVDesign::TKVDesign()
    : Measure(std::make_unique<TKVMeasure>(this)), Grid(std::make_unique<TKVGrid>(this)),
      Frame(std::make_unique<TKVFrame>(this)), BackSurf(std::make_unique<TKVBackSurf>(this)),
      PrintInfo(std::make_unique<TKVPrintInfo>(this)), Table(std::make_unique<TKVTable>()),
      // A host may paint, edit or save before it calls CreateLab: start with
      // an empty document rather than none.
      Document(std::make_unique<TKVObject>())
{
}

TKVDesign::~TKVDesign() = default;
