// nimbul-publish: makes the keys and the version description for publishing
// a new Nimbul.exe on a web server.
//
//   nimbul-publish keygen SECRET-KEY-FILE
//       writes a new secret key (hex) to a new file that only its owner can
//       read, and prints the public key; an existing file is never replaced
//   nimbul-publish describe Nimbul.exe URL SECRET-KEY-FILE > en_nimbulinfo.txt
//       prints the signed version description: version, URL, SHA-256, signature
#include <sodium.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "publish.h"

namespace {

bool ReadAll(const std::string& path, std::string* data) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  data->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

std::string Hex(const unsigned char* p, std::size_t n) {
  std::string h(n * 2 + 1, '\0');
  sodium_bin2hex(&h[0], h.size(), p, n);
  h.pop_back();
  return h;
}

int Usage() {
  std::cerr << "usage: nimbul-publish keygen SECRET-KEY-FILE\n"
               "       nimbul-publish describe Nimbul.exe URL SECRET-KEY-FILE\n";
  return 2;
}

int KeyGen(const std::string& secretFile) {
  unsigned char pk[crypto_sign_PUBLICKEYBYTES], sk[crypto_sign_SECRETKEYBYTES];
  crypto_sign_keypair(pk, sk);
  std::string text = Hex(sk, sizeof sk) + "\n";
  sodium_memzero(sk, sizeof sk);
  std::string error = nimbul::tools::CreateSecretKeyFile(secretFile, text);
  sodium_memzero(&text[0], text.size());
  if (!error.empty()) {
    std::cerr << "nimbul-publish: " << error << "\n";
    return 1;
  }
  std::cout << Hex(pk, sizeof pk) << "\n";
  return 0;
}

int Describe(const std::string& exe, const std::string& url, const std::string& secretFile) {
  std::string program, secret;
  if (!nimbul::tools::IsPlainHttpUrl(url)) {
    std::cerr << "nimbul-publish: the URL must read http://host/path, without blanks or control characters\n";
    return 1;
  }
  if (!ReadAll(exe, &program)) {
    std::cerr << "nimbul-publish: cannot read " << exe << "\n";
    return 1;
  }
  if (!ReadAll(secretFile, &secret)) {
    std::cerr << "nimbul-publish: cannot read " << secretFile << "\n";
    return 1;
  }
  while (!secret.empty() && (secret.back() == '\n' || secret.back() == '\r' || secret.back() == ' ')) secret.pop_back();
  std::optional<nimbul::update::Version> version = nimbul::tools::ImageFileVersion(program);
  if (!version) {
    std::cerr << "nimbul-publish: " << exe << " has no version resource\n";
    return 1;
  }
  for (std::uint32_t part : *version) {
    if (part > 9999) {
      std::cerr << "nimbul-publish: a part of the version of " << exe << " is above 9999\n";
      return 1;
    }
  }
  std::string text = nimbul::tools::DescriptionFor(program, url, secret);
  if (text.empty()) {
    std::cerr << "nimbul-publish: " << secretFile << " is no secret key of nimbul-publish keygen\n";
    return 1;
  }
  std::cout << text;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (sodium_init() < 0) return 1;
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "keygen" && argc == 3) return KeyGen(argv[2]);
  if (command == "describe" && argc == 5) return Describe(argv[2], argv[3], argv[4]);
  return Usage();
}
