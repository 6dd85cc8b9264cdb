// Checks of what the update check downloads, before anything is installed:
// the signature of the version description, the program file's hash, and
// the shape of a 32-bit Windows program.
#pragma once
#include <string>

#include "update/version_description.h"

namespace nimbul::update {

// Lower-case hex of the SHA-256 of `bytes`.
std::string Sha256Hex(const std::string& bytes);

// True for a well-formed 32-bit Windows program: the DOS header, the PE
// signature where it points, an i386 machine, the 32-bit optional header and
// the executable flag.
bool IsWin32Executable(const std::string& bytes);

// Empty when the description may be acted on; otherwise why not. With a
// public key (64 hex digits) it must carry a hash line and a signature over
// its first three lines that the key verifies; without a key nothing is
// required of it.
std::string CheckDescription(const VersionDescription& d, const std::string& publicKeyHex);

// Empty when the downloaded program file may be installed; otherwise why
// not. It must be a 32-bit Windows program, and match the description's hash
// whenever the description carries one (always, with a key).
std::string CheckProgramFile(const VersionDescription& d, const std::string& bytes, const std::string& publicKeyHex);

// Hex of the detached Ed25519 signature of `message` by the 64-byte secret
// key `secretKeyHex` (128 hex digits); empty when the key is no key. For the
// publishing tool and the tests.
std::string SignHex(const std::string& message, const std::string& secretKeyHex);

}  // namespace nimbul::update
