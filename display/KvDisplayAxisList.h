#pragma once
// What the display core needs of an axis: its zoom state for the history,
// wheel zoom about a point, and the value under a point. Axes realise it
// beside their view base and register in the display's axis lists.

#include "platform/Geometry.h"

#include <vector>

class IKvDisplayAxis {
public:
    // The zoomed range in scale units and whether it applies.
    virtual double GetZoomMin() const = 0;
    virtual double GetZoomMax() const = 0;
    virtual bool GetZoomed() const = 0;
    virtual bool GetIsZoomed() const = 0;
    // Zooms about the mouse point (client coordinates); a factor above 1
    // widens the visible range.
    virtual void ZoomAtPoint(TPoint AMousePos, double AFactor) = 0;
    // The axis value at (X, Y); false outside the data view.
    virtual bool GetValueAt(int32_t X, int32_t Y, double& AAxisPos) const = 0;

protected:
    virtual ~IKvDisplayAxis() = default;
};

// Non-owning: each axis adds and removes itself.
class TKvDisplayAxisList {
public:
    void Add(IKvDisplayAxis* AAxis) { FList.push_back(AAxis); }
    void Remove(IKvDisplayAxis* AAxis) {
        for (auto it = FList.begin(); it != FList.end(); ++it)
            if (*it == AAxis) {
                FList.erase(it);
                return;
            }
    }
    int32_t Count() const { return static_cast<int32_t>(FList.size()); }
    IKvDisplayAxis* operator[](int32_t AIndex) const {
        return FList.at(static_cast<size_t>(AIndex));
    }
    auto begin() const { return FList.begin(); }
    auto end() const { return FList.end(); }

private:
    std::vector<IKvDisplayAxis*> FList;
};
