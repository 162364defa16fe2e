// Base of the settings objects a designer owns: Assign copies the settings
// of an object of the same class and ignores any other.
#pragma once

class TKVLab;

class TKVPersistent
{
public:
    explicit TKVPersistent(TKVLab* Owner) : Owner(Owner) {}
    virtual ~TKVPersistent() = default;
    virtual void Assign(const TKVPersistent* Source) = 0;
    TKVLab* GetOwner() const { return Owner; }

protected:
    TKVLab* Owner;
};
