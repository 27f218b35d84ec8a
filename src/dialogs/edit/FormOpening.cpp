#include "FormOpening.h"

FormOpening* FormOpening::instance()
{
    static FormOpening announcer;
    return &announcer;
}

void FormOpening::announce()
{
    Q_EMIT instance()->opening();
}
