#pragma once

#include <cstdint>

// A port for a test's programs, free for TCP and UDP, held for this test process until it ends. Ports are
// taken below the range the system hands out to outgoing connections (a port probed free there can be
// given to any connection before the program binds it), and each is claimed by a lock on a file of its
// own, so that tests running at once in other processes never take the same one.
std::uint16_t ReserveTestPort();
