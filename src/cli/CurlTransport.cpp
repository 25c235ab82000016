#include "cli/CurlTransport.h"

// The functions are called through pointers, so the headers' type-checking
// macros must not rename them.
#define CURL_DISABLE_TYPECHECK
#include <curl/curl.h>
#include <dlfcn.h>

#include <type_traits>

#include "store/DavXml.h"

namespace cli {

namespace {

// libcurl is opened when a sync first needs it, not linked: its thirty-odd
// libraries would otherwise load at every start and be most of an agenda's
// run.
struct Curl {
  decltype(&::curl_global_init) global_init = nullptr;
  decltype(&::curl_easy_init) easy_init = nullptr;
  decltype(&::curl_easy_cleanup) easy_cleanup = nullptr;
  decltype(&::curl_easy_reset) easy_reset = nullptr;
  decltype(&::curl_easy_setopt) easy_setopt = nullptr;
  decltype(&::curl_easy_perform) easy_perform = nullptr;
  decltype(&::curl_easy_getinfo) easy_getinfo = nullptr;
  decltype(&::curl_easy_strerror) easy_strerror = nullptr;
  decltype(&::curl_slist_append) slist_append = nullptr;
  decltype(&::curl_slist_free_all) slist_free_all = nullptr;

  // Null when the library or one of its functions is missing.
  static const Curl* Load() {
    static const Curl* const loaded = [] {
      static Curl curl;
      void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
      if (library == nullptr) return static_cast<const Curl*>(nullptr);
      const auto find = [library](auto& function, const char* name) {
        function =
            reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
        return function != nullptr;
      };
      const bool all =
          find(curl.global_init, "curl_global_init") && find(curl.easy_init, "curl_easy_init") &&
          find(curl.easy_cleanup, "curl_easy_cleanup") &&
          find(curl.easy_reset, "curl_easy_reset") && find(curl.easy_setopt, "curl_easy_setopt") &&
          find(curl.easy_perform, "curl_easy_perform") &&
          find(curl.easy_getinfo, "curl_easy_getinfo") &&
          find(curl.easy_strerror, "curl_easy_strerror") &&
          find(curl.slist_append, "curl_slist_append") &&
          find(curl.slist_free_all, "curl_slist_free_all");
      if (!all) return static_cast<const Curl*>(nullptr);
      curl.global_init(CURL_GLOBAL_DEFAULT);
      return static_cast<const Curl*>(&curl);
    }();
    return loaded;
  }
};

struct CurlDeleter {
  const Curl* curl;
  void operator()(CURL* c) const { curl->easy_cleanup(c); }
};
struct ListDeleter {
  const Curl* curl;
  void operator()(curl_slist* l) const { curl->slist_free_all(l); }
};

class CurlTransport : public store::HttpTransport {
 public:
  CurlTransport(std::string user, std::string password)
      : user_(std::move(user)),
        password_(std::move(password)),
        api_(Curl::Load()),
        curl_(api_ != nullptr ? api_->easy_init() : nullptr, CurlDeleter{api_}) {}
  ~CurlTransport() override {
    // The password does not outlive the transport in memory.
    for (char& c : password_) c = '\0';
  }

  store::HttpResponse Send(const store::HttpRequest& request) override {
    store::HttpResponse response;
    CURL* c = curl_.get();
    if (c == nullptr) {
      response.error = api_ == nullptr ? "libcurl (libcurl.so.4) could not be loaded"
                                       : "libcurl could not start";
      return response;
    }
    const Curl& curl = *api_;
    curl.easy_reset(c);
    std::unique_ptr<curl_slist, ListDeleter> headers(nullptr, ListDeleter{api_});
    curl_slist* list = nullptr;
    for (const auto& [name, value] : request.headers) {
      list = curl.slist_append(list, (name + ": " + value).c_str());
    }
    // No "100-continue" round trip before a body.
    list = curl.slist_append(list, "Expect:");
    headers.reset(list);
    Body body{&response.body, false};
    curl.easy_setopt(c, CURLOPT_URL, request.url.c_str());
    curl.easy_setopt(c, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    curl.easy_setopt(c, CURLOPT_HTTPHEADER, list);
    if (!request.body.empty() || request.method == "PUT") {
      curl.easy_setopt(c, CURLOPT_POSTFIELDS, request.body.data());
      curl.easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE,
                       static_cast<curl_off_t>(request.body.size()));
    }
    curl.easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl.easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl.easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    curl.easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl.easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 10L);
    curl.easy_setopt(c, CURLOPT_TIMEOUT, 120L);
    curl.easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    if (!user_.empty()) {
      curl.easy_setopt(c, CURLOPT_HTTPAUTH, CURLAUTH_BASIC | CURLAUTH_DIGEST);
      curl.easy_setopt(c, CURLOPT_USERNAME, user_.c_str());
      curl.easy_setopt(c, CURLOPT_PASSWORD, password_.c_str());
    }
    curl.easy_setopt(c, CURLOPT_WRITEFUNCTION, &CurlTransport::Write);
    curl.easy_setopt(c, CURLOPT_WRITEDATA, &body);
    curl.easy_setopt(c, CURLOPT_HEADERFUNCTION, &CurlTransport::Header);
    curl.easy_setopt(c, CURLOPT_HEADERDATA, &response.headers);
    const CURLcode result = curl.easy_perform(c);
    if (body.tooLarge) {
      response.error = "the answer is larger than any calendar";
      response.body.clear();
      return response;
    }
    if (result != CURLE_OK) {
      response.error = curl.easy_strerror(result);
      response.body.clear();
      return response;
    }
    long status = 0;
    curl.easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    response.status = static_cast<int>(status);
    return response;
  }

 private:
  struct Body {
    std::string* text;
    bool tooLarge;
  };

  static size_t Write(char* data, size_t size, size_t count, void* user) {
    Body* body = static_cast<Body*>(user);
    const size_t n = size * count;
    if (body->text->size() + n > store::kMaxDavAnswerBytes) {
      body->tooLarge = true;
      return 0;  // ends the transfer
    }
    body->text->append(data, n);
    return n;
  }

  static size_t Header(char* data, size_t size, size_t count, void* user) {
    auto* headers = static_cast<store::HttpHeaders*>(user);
    const size_t n = size * count;
    std::string line(data, n);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.compare(0, 5, "HTTP/") == 0) {
      headers->clear();  // an interim answer's headers are not the final one's
    } else if (const size_t colon = line.find(':'); colon != std::string::npos) {
      size_t v = colon + 1;
      while (v < line.size() && (line[v] == ' ' || line[v] == '\t')) ++v;
      headers->emplace_back(line.substr(0, colon), line.substr(v));
    }
    return n;
  }

  std::string user_;
  std::string password_;
  const Curl* api_;
  std::unique_ptr<CURL, CurlDeleter> curl_;
};

}  // namespace

std::unique_ptr<store::HttpTransport> MakeCurlTransport(const std::string& user,
                                                        const std::string& password) {
  return std::make_unique<CurlTransport>(user, password);
}

}  // namespace cli
