#pragma once

#include "ansistring.h"

#include <QString>

// The boundary between the program's CP932 strings and Qt's Unicode widgets.
QString ToQString(const AnsiString &text);
AnsiString ToAnsiString(const QString &text);
