#include "ui/BuiltinPictures.h"

#include <mutex>

// Resource registration lives outside any namespace (Q_INIT_RESOURCE names a global function).
static void registerArvexUiResources()
{
    Q_INIT_RESOURCE(arvex_ui);
}

namespace BuiltinPictures {

void EnsureBuiltinPictures()
{
    static std::once_flag once;
    std::call_once(once, registerArvexUiResources);
}

QPixmap load(const char* resourcePath)
{
    EnsureBuiltinPictures();
    return QPixmap(QString::fromLatin1(resourcePath));
}

} // namespace BuiltinPictures
