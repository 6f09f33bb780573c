#include "ReferenceBlocks.h"

namespace reference {

double Envelope::Coefficient(double x) const
{
    return std::pow(10.0, 2.3 - 4.5 * x) * rateScale;
}

}  // namespace reference
