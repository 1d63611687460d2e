#include "app/CViewerContext.h"

#include "viewmodel/StringTable.h"

QString CViewerContext::Str(int id) {
    return QString::fromLatin1(DefaultString(id));
}
