#pragma once
// The blood type of a horse (cold-blooded horses and ponies; warm-blooded horses and
// cold-blooded trotters; thoroughbreds). It chooses the young-horse formula of the weight
// estimate from chest girth and the maintenance level of the requirement formulas.

#include "config/enums.h"

namespace stallora {

using BloodType = TBlodsType;

}  // namespace stallora
