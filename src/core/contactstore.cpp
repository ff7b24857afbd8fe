#include "contactstore.h"

#include <QMetaType>
#include <memory>

namespace {

const char Organisation[] = "VireoLoggers";
const char Application[] = "Formular";

} // namespace

ContactStore::ContactStore() = default;

ContactStore::ContactStore(const QString &fileName, QSettings::Format format)
    : fileName(fileName)
    , format(format)
{
}

static std::unique_ptr<QSettings> openStore(const QString &fileName, QSettings::Format format)
{
    if (fileName.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           Organisation, Application);
    return std::make_unique<QSettings>(fileName, format);
}

ContactStore::ReadResult ContactStore::read() const
{
    ReadResult result;
    const auto settings = openStore(fileName, format);
    if (settings->status() != QSettings::NoError)
        return result; // the store cannot be opened: nothing to report

    for (const char *name : ValueNames) {
        const QVariant value = settings->value(QLatin1String(name));
        if (!value.isValid()) { // never stored: an empty text
            result.values.append(QString());
            continue;
        }
        if (value.metaType().id() != QMetaType::QString) {
            result.error = QStringLiteral("Invalid data type for '%1'").arg(QLatin1String(name));
            return result;
        }
        result.values.append(value.toString());
    }
    return result;
}

QString ContactStore::write(const std::array<QString, ValueCount> &values) const
{
    const auto settings = openStore(fileName, format);
    for (int i = 0; i < ValueCount; ++i)
        settings->setValue(QLatin1String(ValueNames[std::size_t(i)]), values[std::size_t(i)]);
    settings->sync();
    if (settings->status() != QSettings::NoError)
        // The store writes all values at once, so the failure is charged
        // to the first of them.
        return QStringLiteral("Failed to set data for '%1'").arg(QLatin1String(ValueNames[0]));
    return {};
}
