#include "ResponsiveQuery.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <memory>
#include <qgsfeatureiterator.h>
#include <qgsvectorlayer.h>
#include <qgsvectorlayerfeatureiterator.h>

namespace qgishost {

FirstFeature firstFeatureResponsively(const QgsVectorLayer& layer,
                                      const QgsFeatureRequest& request) {
    // Made on the layer's thread; the worker reads only the snapshot.
    auto source = std::make_shared<QgsVectorLayerFeatureSource>(&layer);
    FirstFeature first;
    auto read = [source, request, &first] {
        QgsFeatureIterator features = source->getFeatures(request);
        QgsFeature feature;
        first.found = features.nextFeature(feature);
        first.sourceAnswered = first.found || features.isValid();
        first.id = feature.id();
    };
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
        read();
        return first;
    }
    const std::unique_ptr<QThread> worker(QThread::create(read));
    QEventLoop waiting;
    QObject::connect(worker.get(), &QThread::finished, &waiting, &QEventLoop::quit);
    worker->start();
    waiting.exec();
    worker->wait();
    return first;
}

} // namespace qgishost
