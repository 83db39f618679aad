// The collection as one JSON object, for `korvel-tool dump`.
#pragma once

#include <nlohmann/json.hpp>
#include <vector>

#include "collection/collection.h"
#include "util/message.h"

namespace korvel::tool {

nlohmann::ordered_json CollectionJson(const Collection& collection, int version,
                                      const std::vector<Message>& messages);

}  // namespace korvel::tool
