#pragma once

#include <QChar>

namespace platform {

// The regional number notation every conversion works in. The programs are
// Italian: comma decimals and dot grouping, whatever the system locale says.
struct Regional {
    QChar decimal = QLatin1Char(',');
    QChar group = QLatin1Char('.');

    static Regional italian() { return Regional{}; }
    static Regional english() { return Regional{QLatin1Char('.'), QLatin1Char(',')}; }

    // The notation in force for the process; Italian unless a setting chose another.
    static const Regional& current();
    static void setCurrent(const Regional& r);
};

}  // namespace platform
