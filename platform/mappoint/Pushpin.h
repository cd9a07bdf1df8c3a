#pragma once

#include "MapObject.h"

#include <QString>

namespace mappoint {

// A pushpin. Every member fails with ObjectDeleted once the pushpin is deleted.
// Type (from MapObject) always fails: a pushpin has no Type.
class Pushpin : public MapObject {
public:
    virtual QString Name() = 0;
    virtual void SetName(const QString& name) = 0;
    virtual QString Note() = 0;
    virtual void SetNote(const QString& note) = 0;
    virtual DataSetPtr Parent() = 0;
    virtual LocationPtr Location() = 0;
    virtual int16_t Symbol() = 0;
    // Fails for a symbol ID the map does not have.
    virtual void SetSymbol(int16_t symbol) = 0;
    virtual bool Highlight() = 0;
    virtual void SetHighlight(bool highlight) = 0;
    virtual int BalloonState() = 0;
    // 0 closed, 1 name only, 2 all information; other values fail.
    virtual void SetBalloonState(int state) = 0;
    // Makes this pushpin the map's selection.
    virtual void Select() = 0;
    virtual void Delete() = 0;
    // Moves the pushpin into another dataset of the same map.
    virtual void MoveTo(DataSetPtr dataSet) = 0;
};

} // namespace mappoint
