#include "store/Variablen.h"

namespace tav {

Variablen& variablen() {
    static Variablen v;
    return v;
}

}  // namespace tav
