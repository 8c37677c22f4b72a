// A catalogue name holds the Chinese name, a space and the English name ("螺栓 BOLT M12").
#pragma once

#include <QString>

// The English part: the text after the first space of the trimmed name ("BOLT M12");
// a name without a space is its own English part.
QString EnglishPart(const QString& name);
