// KVDesignInfo: every setting and every stored field of a loaded design, as
// JSON (keys are the field names the code uses) or as lines for people.
#pragma once

#include <QString>

class TKVLab;

class KVDesignInfo
{
public:
    static QString Describe(const TKVLab& Lab, bool Json);
};
