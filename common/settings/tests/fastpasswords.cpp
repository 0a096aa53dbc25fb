// Linked into the test programs that store or check passwords: they do so with a small iteration count,
// the derivation at its real count taking seconds a password under the sanitizers. The stored form carries
// its count, so the checks follow. SaltedPassword's own test of the real count sets it back.
#include "saltedpassword.h"

namespace {

constexpr int kTestIterations = 16;

[[maybe_unused]] const bool s_fastPasswords = [] {
    SaltedPassword::SetIterationsForNewPasswords(kTestIterations);
    return true;
}();

}  // namespace
