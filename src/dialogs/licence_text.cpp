#include "dialogs/licence_text.h"

#include "dialogs/contact.h"

namespace nimbul::dialogs {

// The MIT licence, the same text as LICENSE in the source tree.
std::string LicenceText() {
  return "Nimbulon is free software under the MIT licence.\n"
         "\n"
         "Copyright (c) 2026 " +
         AuthorName() +
         "\n"
         "\n"
         "Permission is hereby granted, free of charge, to any person obtaining a copy of this software and "
         "associated documentation files (the \"Software\"), to deal in the Software without restriction, "
         "including without limitation the rights to use, copy, modify, merge, publish, distribute, sublicense, "
         "and/or sell copies of the Software, and to permit persons to whom the Software is furnished to do so, "
         "subject to the following conditions:\n"
         "\n"
         "The above copyright notice and this permission notice shall be included in all copies or substantial "
         "portions of the Software.\n"
         "\n"
         "THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED, INCLUDING BUT NOT "
         "LIMITED TO THE WARRANTIES OF MERCHANTABILITY, FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN "
         "NO EVENT SHALL THE AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER LIABILITY, "
         "WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM, OUT OF OR IN CONNECTION WITH THE "
         "SOFTWARE OR THE USE OR OTHER DEALINGS IN THE SOFTWARE.\n"
         "\n"
         "Nimbulon hides and shows other programs' windows; it does not close them. Windows it has hidden come "
         "back when Nimbulon ends normally.";
}

}  // namespace nimbul::dialogs
