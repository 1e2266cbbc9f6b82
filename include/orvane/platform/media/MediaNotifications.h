#pragma once
// The names of the media notifications, posted on the main run loop through the default
// notification centre. The item notifications carry the AVPlayerItem as their object; the
// movie-player ones carry the MPMoviePlayerController.

namespace ov {

inline constexpr const char* AVPlayerItemDidPlayToEndTimeNotification =
    "AVPlayerItemDidPlayToEndTimeNotification";
// After a seek has landed.
inline constexpr const char* AVPlayerItemTimeJumpedNotification =
    "AVPlayerItemTimeJumpedNotification";
// The item could not be played on; userInfo holds the Error under this key.
inline constexpr const char* AVPlayerItemFailedToPlayToEndTimeNotification =
    "AVPlayerItemFailedToPlayToEndTimeNotification";
inline constexpr const char* AVPlayerItemFailedToPlayToEndTimeErrorKey =
    "AVPlayerItemFailedToPlayToEndTimeErrorKey";

inline constexpr const char* MPMoviePlayerPlaybackDidFinishNotification =
    "MPMoviePlayerPlaybackDidFinishNotification";
inline constexpr const char* MPMoviePlayerWillExitFullscreenNotification =
    "MPMoviePlayerWillExitFullscreenNotification";
// Why playback finished: an MPMovieFinishReason number.
inline constexpr const char* MPMoviePlayerPlaybackDidFinishReasonUserInfoKey =
    "MPMoviePlayerPlaybackDidFinishReasonUserInfoKey";

enum MPMovieFinishReason : int {
    MPMovieFinishReasonPlaybackEnded = 0,
    MPMovieFinishReasonPlaybackError = 1,
    MPMovieFinishReasonUserExited = 2,
};

}  // namespace ov
