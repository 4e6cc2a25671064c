#pragma once

#include <MacKit/Flavour.h>

/// The flavour this build was configured with (CMake's TOVU_FLAVOUR).
inline constexpr MacKit::Flavour appFlavour = MacKit::Flavour::TOVU_FLAVOUR_CASE;
