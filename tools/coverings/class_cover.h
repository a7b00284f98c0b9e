#pragma once
#include <cstdint>
#include <vector>

#include "covering.h"

// Decides a fully symmetric configuration for pairs exactly. The cyclic group Z_m turns each of
// c blocks of m points; its orbits on pairs are the pair classes (difference d inside a block,
// difference d from one block to another). When counting shows that the base rows of a
// configuration have exactly as many pair slots as there are classes left, every class must be
// covered exactly once, and an exhaustive search over the base rows settles whether the
// configuration exists at all — before hours of annealing are spent on it.
namespace coverings {

struct ClassCoverPlan {
  int m = 0, copies = 0;  // points c*m + x, x in Z_m
  int k = 5;
  int baseRows = 0;
  Rows given;  // rows (on the orbit points) whose classes count as covered already
  // Pairs inside the first `looseBlocks` blocks must be covered but may repeat (where those
  // points lie in more rows than the others).
  int looseBlocks = 0;
  // Slots that may cover a class a second time anywhere (the counting leaves this many spare).
  int spare = 0;
  // Pairs whose classes must be covered exactly twice (where counting says which classes repeat;
  // not together with `spare`).
  Rows twice;
  // When counting fixes it: for each block, how many base rows it lies in (counted with
  // multiplicity: a point of the block lies in that many of their images); empty leaves it open.
  // Only with neither loose blocks nor spare slots.
  std::vector<int> blockRows;
};

struct ClassCoverResult {
  std::vector<Rows> solutions;  // base rows of each solution found (up to the limit)
  long classes = 0, open = 0;   // classes in all, and those the base rows must cover
  long candidates = 0;          // base rows up to turning that repeat no class
  bool tooLarge = false;        // more than 128 classes: not searched
};

ClassCoverResult classCover(const ClassCoverPlan& plan, std::size_t maxSolutions);

// Where every turned point has exactly one pair covered twice, the classes covered twice are
// cross classes that pair the blocks off. Every such choice, one per class of choices equal up to
// the relabellings that keep the plan (each a list of one pair per class, for `twice`).
std::vector<Rows> matchingTwiceChoices(const ClassCoverPlan& plan);

}  // namespace coverings
