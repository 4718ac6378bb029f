#include "document/DataOrigin.h"

namespace {

struct DateTimeFunction {
    const char* name;
    const char* textForm;
    const char* digitsForm;
};

// Qt date/time patterns; numeric fields do not depend on the locale.
const DateTimeFunction kFunctions[5] = {
    {"Fun_Date_MDY", "MM-dd-yyyy", "MMddyyyy"},
    {"Fun_Date_DMY", "dd-MM-yyyy", "ddMMyyyy"},
    {"Fun_Date_YMD", "yyyy-MM-dd", "yyyyMMdd"},
    {"Fun_Time_HMS", "HH:mm:ss", "HHmmss"},
    {"Fun_Time_HM", "HH:mm", "HHmm"},
};

}  // namespace

int DateTimeFunctionIndex(const QString& expression)
{
    for (int i = 0; i < 5; ++i)
        if (expression == QLatin1String(kFunctions[i].name))
            return i + 1;
    return 0;
}

bool DateTimeFunctionValue(const QString& expression, bool digitsOnly, const QDateTime& now, QString& value)
{
    const int f = DateTimeFunctionIndex(expression);
    if (f == 0)
        return false;
    const DateTimeFunction& fn = kFunctions[f - 1];
    value = now.toString(QLatin1String(digitsOnly ? fn.digitsForm : fn.textForm));
    return true;
}
