#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <QTimeZone>

// Resolves TZID parameter values to zones for one reading pass, looking each distinct value up
// once. A value that is neither an IANA zone the platform knows nor a Windows zone name with an
// IANA equivalent resolves to the machine's zone (floating time), as does an empty value.
class IcalZoneCache
{
public:
    struct Zone
    {
        QTimeZone zone;
        QString id;         // the IANA id, or the value as written when the zone is unknown
        bool known = false; // false: the machine's zone stands in
    };

    // The zone for an unquoted TZID value.
    const Zone& resolve(QStringView tzid);

    // The machine's zone, looked up on first use.
    const QTimeZone& local();

private:
    Zone lookUp(QStringView tzid);

    QHash<QString, Zone> m_zones;
    QString m_lastKey;
    const Zone* m_last = nullptr;
    Zone m_overflow;
    Zone m_empty;
    QTimeZone m_local;
    bool m_haveLocal = false;
};
