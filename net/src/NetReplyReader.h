#pragma once

#include "net/NetHTTPResponse.h"
#include "net/NetIOHandler.h"
#include "net/NetStream.h"

#include <cstdint>
#include <functional>

// The two readers of an HTTP reply, each an explicit state machine: the head
// (status line and header block) and the body under the reply's framing.
// Internal to the HTTP client.
namespace net::reply {

// What a counted body cut short by the peer's close does: fail the read, or
// keep what arrived (for a body that is only dropped or kept as error text).
enum class TCutShort { csFails, csKeepsWhatArrived };

// Reads one reply head from io into response: the status line, then header
// lines up to the empty one (a close inside the block ends it). Each complete
// block is parsed and handed to onHead; a "100" reply is skipped (at most
// limits::kMaxInterimReplies of them) and the next head read. statusSeen turns
// true with the first status line. Throws ENetTooManyHeaderLines past maxLines
// lines, and whatever reading the connection throws.
void ReadHead(TNetIOHandler& io, TNetHTTPResponse& response, int maxLines, bool& statusSeen,
              const std::function<void()>& onHead);

// Reads the body of response from io into target under its framing (chunks,
// a Content-Length count, or everything up to the close); returns whether the
// body ended exactly where its framing said. Throws ENetTooManyHeaderLines past
// maxTrailerLines trailer lines, ENetBodyTooLarge when more than maxBodySize
// bytes (0: no limit) would be written, and ENetConnClosedGracefully for a cut
// short counted body under csFails.
bool ReadBody(TNetIOHandler& io, const TNetHTTPResponse& response, TNetStream& target, int maxTrailerLines,
              std::int64_t maxBodySize, TCutShort cutShort);

}  // namespace net::reply
