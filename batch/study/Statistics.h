#pragma once
// Running statistics of one measure over runs, in double precision.
#include <cstdint>

class TStatistic {
public:
    void Add(double value);

    std::int64_t Count() const { return FCount; }
    double Mean() const;
    // Sample standard deviation; needs two values.
    double StandardDeviation() const;
    double Min() const { return FMin; }
    double Max() const { return FMax; }
    // Half the width of the 95 % confidence interval of the mean (Student t); needs two values.
    double HalfWidth95() const;

private:
    std::int64_t FCount = 0;
    // Sums of the values' and the squares' differences from the first value, which keeps them
    // small for measures that vary little about a large value (GC averages near 50).
    double FShift = 0;
    double FSum = 0;
    double FSquares = 0;
    double FMin = 0;
    double FMax = 0;
};

// The 97.5 % quantile of Student's t distribution with `degrees` degrees of freedom (at least 1).
double StudentT975(std::int64_t degrees);
