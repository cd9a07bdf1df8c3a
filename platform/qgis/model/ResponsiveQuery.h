#pragma once

#include <qgsfeatureid.h>
#include <qgsfeaturerequest.h>

class QgsVectorLayer;

namespace qgishost {

// The first feature a request yields, or that the layer's source stopped answering.
struct FirstFeature {
    bool found = false;
    bool sourceAnswered = true;
    QgsFeatureId id = FID_NULL;
};

// Asks a snapshot of the layer's data (edit buffer included) on a worker thread while
// the calling GUI thread goes on handling every event, the user's too, so that a window
// can still be stopped: for requests that a server may answer only by scanning a large
// table. Anything may happen to the layer meanwhile; the answer is of the snapshot.
FirstFeature firstFeatureResponsively(const QgsVectorLayer& layer,
                                      const QgsFeatureRequest& request);

} // namespace qgishost
