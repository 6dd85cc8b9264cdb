// nimbul-publish: makes the keys and the version description for publishing
// a new Nimbul.exe on a web server.
//
//   nimbul-publish keygen SECRET-KEY-FILE
//       writes a new secret key (hex) to the file and prints the public key,
//       the value of NIMBUL_UPDATE_PUBLIC_KEY for the builds that trust it
//   nimbul-publish describe Nimbul.exe URL [SECRET-KEY-FILE] > en_nimbulinfo.txt
//       prints the version description: version, URL, SHA-256, signature
#include <sodium.h>

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
               "       nimbul-publish describe Nimbul.exe URL [SECRET-KEY-FILE]\n";
  return 2;
}

int KeyGen(const std::string& secretFile) {
  unsigned char pk[crypto_sign_PUBLICKEYBYTES], sk[crypto_sign_SECRETKEYBYTES];
  crypto_sign_keypair(pk, sk);
  std::ofstream out(secretFile, std::ios::binary | std::ios::trunc);
  out << Hex(sk, sizeof sk) << "\n";
  if (!out) {
    std::cerr << "nimbul-publish: cannot write " << secretFile << "\n";
    return 1;
  }
  std::cout << Hex(pk, sizeof pk) << "\n";
  return 0;
}

int Describe(const std::string& exe, const std::string& url, const std::string& secretFile) {
  std::string program, secret;
  if (!ReadAll(exe, &program)) {
    std::cerr << "nimbul-publish: cannot read " << exe << "\n";
    return 1;
  }
  if (!secretFile.empty()) {
    if (!ReadAll(secretFile, &secret)) {
      std::cerr << "nimbul-publish: cannot read " << secretFile << "\n";
      return 1;
    }
    while (!secret.empty() && (secret.back() == '\n' || secret.back() == '\r' || secret.back() == ' '))
      secret.pop_back();
  }
  std::string text = nimbul::tools::DescriptionFor(program, url, secret);
  if (text.empty()) {
    std::cerr << "nimbul-publish: " << exe << " has no version resource, or the key is no key\n";
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
  if (command == "describe" && (argc == 4 || argc == 5)) return Describe(argv[2], argv[3], argc == 5 ? argv[4] : "");
  return Usage();
}
