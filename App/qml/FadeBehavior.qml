// How a part of the panel comes and goes: a spring of 0.2 s response at
// 0.85 damping, none when the desktop asks for less motion.
import QtQuick
import Tovu

Behavior {
    enabled: !Theme.reduceMotion
    // Qt steps a spring every 16 ms as v += spring·Δ − damping·v: for a
    // response of 0.2 s (ω = 2π/0.2) that is spring = ω²·0.016 and
    // damping = 2·0.85·ω·0.016.
    SpringAnimation {
        spring: 15.8
        damping: 0.85
        epsilon: 0.005
    }
}
