#pragma once

#include "FormMerge.h"

#include <QList>
#include <QString>

class QWidget;

// What the edit forms tell the user after a Save whose values replaced changes made elsewhere (a
// sync) while the form was open (FormMerge): one message naming the fields, the same in every
// form.
namespace ChangedElsewhere {

// The field's name as the forms label it.
QString fieldName(FormMerge::Field field);

// The message for `replaced`, the fields named in the interface language's list form; empty
// when there are none.
QString text(const QList<FormMerge::Field>& replaced);

// Shows text(replaced) over `parent`; nothing when there are none.
void tell(QWidget* parent, const QList<FormMerge::Field>& replaced);

} // namespace ChangedElsewhere
