#pragma once
// The generation steps written operation by operation, as defined, on the public
// fields of a population (test-only). The fast operations must agree with them draw
// for draw; after a reference step the population's own bookkeeping is stale.
#include "population/AsexualPopulation.h"
#include "population/SexualPopulation.h"

namespace Reference {

void ParasiteStep(TSexualPopulation& p);
uint8_t CountLiving(const TSexualPopulation& p);
TSixByteReal AverageGC(const TSexualPopulation& p);
void Mutate(TSexualPopulation& p);
void LethalCheck(TSexualPopulation& p);
void Reproduce(TSexualPopulation& p);

void ParasiteStep(TAsexualPopulation& p);
uint8_t CountLiving(const TAsexualPopulation& p);
TSixByteReal AverageGC(const TAsexualPopulation& p);
void Mutate(TAsexualPopulation& p);
void LethalCheck(TAsexualPopulation& p);
void Reproduce(TAsexualPopulation& p);

}  // namespace Reference
