// KVJsonWriter: writes JSON text with keys in the order given and floats as
// the shortest decimal that reads back to the same 32-bit float. In plain
// mode the same calls give indented "Key: value" lines for people.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

class KVJsonWriter
{
public:
    explicit KVJsonWriter(bool Plain = false) : Plain(Plain) {}
    void BeginObject(const QString& Key = {});
    void EndObject();
    void BeginArray(const QString& Key);
    void EndArray();
    void Value(const QString& Key, const QString& V);
    void Value(const QString& Key, float V);
    void Value(const QString& Key, std::int64_t V);
    void Value(const QString& Key, bool V);
    void Point(const QString& Key, float X, float Y);
    const QString& Text() const { return Out; }

    static QString FloatText(float V);
    static QString Quote(const QString& S);

private:
    void Prefix(const QString& Key);
    bool Plain;
    QString Out;
    std::vector<bool> First{true};
};
