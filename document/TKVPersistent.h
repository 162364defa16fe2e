// Base of the settings objects a design owns: Assign copies the settings
// of an object of the same class and ignores any other. A setter that
// changes what a view shows calls OnChange: the view that shows the design
// (the designer control) sets it and decides what to draw again.
#pragma once

#include <functional>

class TKVDesign;

class TKVPersistent
{
public:
    explicit TKVPersistent(TKVDesign* Owner) : Owner(Owner) {}
    virtual ~TKVPersistent() = default;
    virtual void Assign(const TKVPersistent* Source) = 0;
    TKVDesign* GetOwner() const { return Owner; }

    std::function<void()> OnChange;

protected:
    void Changed() const
    {
        if (OnChange)
            OnChange();
    }

    TKVDesign* Owner;
};
