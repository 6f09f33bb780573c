#include "VoiceLanes.h"

#include "Envelope.h"

void SettleEnvelopeLanes(double* value, double* target, double* coefficient, int32_t* stage,
                         const Envelope* const* source, int count)
{
    for (int k = 0; k < count; ++k) {
        if (stage[k] == Envelope::kAttack) {
            if (value[k] >= 1.0) {
                const Envelope& settings = *source[k];
                value[k] = 1.0;
                stage[k] = Envelope::kDecay;
                coefficient[k] = settings.Coefficient(settings.decay);
                target[k] = settings.sustain;
            }
        } else if (stage[k] > Envelope::kIdle && value[k] <= 0.0) {
            value[k] = 0.0;
            stage[k] = Envelope::kIdle;
        }
    }
}
