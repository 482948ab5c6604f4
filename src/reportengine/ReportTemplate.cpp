#include "reportengine/ReportTemplate.h"

#include "data/Errors.h"

#include <QFile>

namespace tamevo::report {

ReportObject* ReportTemplate::findObject(const QString& objectName)
{
    for (Band& band : bands) {
        for (ReportObject& object : band.objects) {
            if (object.name == objectName) {
                return &object;
            }
        }
    }
    return nullptr;
}

const ReportObject* ReportTemplate::findObject(const QString& objectName) const
{
    return const_cast<ReportTemplate*>(this)->findObject(objectName);
}

const Band* ReportTemplate::findBand(const QString& bandName) const
{
    for (const Band& band : bands) {
        if (band.name == bandName) {
            return &band;
        }
    }
    return nullptr;
}

const DataLink* ReportTemplate::findDataLink(const QString& linkName) const
{
    for (const DataLink& link : dataLinks) {
        if (link.name == linkName) {
            return &link;
        }
    }
    return nullptr;
}

void ReportTemplate::replaceText(const QString& objectName, const QString& text)
{
    ReportObject* object = findObject(objectName);
    if (object == nullptr || object->kind != ReportObject::Kind::Text) {
        throw Error(QStringLiteral("%1 raporunda %2 metin nesnesi yok.").arg(name, objectName));
    }
    object->lines = QStringList{text};
}

void ReportTemplate::loadPicture(const QString& objectName, const QString& imagePath)
{
    ReportObject* object = findObject(objectName);
    if (object == nullptr || object->kind != ReportObject::Kind::Picture) {
        throw Error(QStringLiteral("%1 raporunda %2 resim nesnesi yok.").arg(name, objectName));
    }
    QFile file(imagePath);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("%1: %2").arg(imagePath, file.errorString()));
    }
    object->picture = file.readAll();
}

}  // namespace tamevo::report
