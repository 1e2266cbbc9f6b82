#pragma once
// How a gallery page is built: held still for a picture that is the same on every run, or
// live for a window, with its animations, timers and touches running.

namespace orvane::gallery {

enum class Motion { Still, Live };

}  // namespace orvane::gallery
