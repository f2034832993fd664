#include "engine/Random.h"

namespace engine {

Random& SharedRandom() {
  static Random generator;
  return generator;
}

}  // namespace engine
