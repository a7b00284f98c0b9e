#pragma once
#include "covering.h"

namespace constructions {

// A covering of the t-sets of 0..v-1 by k-sets from a known algebraic or combinatorial
// construction; empty when there is none for these parameters.
coverings::Rows build(int v, int k, int t);

}  // namespace constructions
