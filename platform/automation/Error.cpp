#include "Error.h"

namespace automation {

Error::Error(int32_t number, QString description)
    : number_(number), description_(std::move(description)), what_(description_.toStdString()) {}

} // namespace automation
