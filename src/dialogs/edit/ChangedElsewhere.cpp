#include "ChangedElsewhere.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMessageBox>
#include <QStringList>

namespace ChangedElsewhere {

QString fieldName(FormMerge::Field field)
{
    using FormMerge::Field;
    switch (field) {
    case Field::Title:
        return QCoreApplication::translate("ChangedElsewhere", "Title");
    case Field::Calendar:
        return QCoreApplication::translate("ChangedElsewhere", "Calendar");
    case Field::Color:
        return QCoreApplication::translate("ChangedElsewhere", "Color");
    case Field::Times:
        return QCoreApplication::translate("ChangedElsewhere", "Times");
    case Field::Dates:
        return QCoreApplication::translate("ChangedElsewhere", "Dates");
    case Field::Rule:
        return QCoreApplication::translate("ChangedElsewhere", "Repeat");
    case Field::Reminders:
        return QCoreApplication::translate("ChangedElsewhere", "Reminders");
    case Field::Priority:
        return QCoreApplication::translate("ChangedElsewhere", "Priority");
    case Field::Completed:
        return QCoreApplication::translate("ChangedElsewhere", "Completed");
    case Field::Location:
        return QCoreApplication::translate("ChangedElsewhere", "Location");
    case Field::Categories:
        return QCoreApplication::translate("ChangedElsewhere", "Categories");
    case Field::Description:
        return QCoreApplication::translate("ChangedElsewhere", "Notes");
    case Field::Attendees:
        return QCoreApplication::translate("ChangedElsewhere", "Attendees");
    case Field::Name:
        return QCoreApplication::translate("ChangedElsewhere", "Name");
    case Field::Conditions:
        return QCoreApplication::translate("ChangedElsewhere", "Conditions");
    case Field::Action:
        return QCoreApplication::translate("ChangedElsewhere", "Action");
    case Field::Enabled:
        return QCoreApplication::translate("ChangedElsewhere", "Enabled");
    case Field::Calendars:
        return QCoreApplication::translate("ChangedElsewhere", "Calendars");
    case Field::SyncInterval:
        return QCoreApplication::translate("ChangedElsewhere", "Sync interval");
    case Field::Certificate:
        return QCoreApplication::translate("ChangedElsewhere", "Certificate");
    }
    return QString();
}

QString text(const QList<FormMerge::Field>& replaced)
{
    if (replaced.isEmpty())
        return QString();
    QStringList names;
    for (FormMerge::Field field : replaced)
        names.append(fieldName(field));
    const QString list = QLocale().createSeparatedList(names);
    return replaced.size() == 1
               ? QCoreApplication::translate("ChangedElsewhere",
                                             "Your change to %1 replaced a change made elsewhere "
                                             "while the form was open.")
                     .arg(list)
               : QCoreApplication::translate("ChangedElsewhere",
                                             "Your changes to %1 replaced changes made elsewhere "
                                             "while the form was open.")
                     .arg(list);
}

void tell(QWidget* parent, const QList<FormMerge::Field>& replaced)
{
    if (replaced.isEmpty())
        return;
    QMessageBox::information(parent,
                             QCoreApplication::translate("ChangedElsewhere", "Changed elsewhere"),
                             text(replaced), QMessageBox::Ok);
}

} // namespace ChangedElsewhere
