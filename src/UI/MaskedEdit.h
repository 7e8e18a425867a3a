// Password fields show one "*" for every character typed.
#pragma once

class QLineEdit;

namespace zelvora {

void SetMasked(QLineEdit& edit, bool masked);

}  // namespace zelvora
