#include "cli/CurlTransport.h"

#include <curl/curl.h>

#include "store/DavXml.h"

namespace cli {

namespace {

struct CurlDeleter {
  void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct ListDeleter {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

class CurlTransport : public store::HttpTransport {
 public:
  CurlTransport(std::string user, std::string password)
      : user_(std::move(user)), password_(std::move(password)) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    curl_.reset(curl_easy_init());
  }
  ~CurlTransport() override {
    // The password does not outlive the transport in memory.
    for (char& c : password_) c = '\0';
  }

  store::HttpResponse Send(const store::HttpRequest& request) override {
    store::HttpResponse response;
    CURL* c = curl_.get();
    if (c == nullptr) {
      response.error = "libcurl could not start";
      return response;
    }
    curl_easy_reset(c);
    std::unique_ptr<curl_slist, ListDeleter> headers;
    curl_slist* list = nullptr;
    for (const auto& [name, value] : request.headers) {
      list = curl_slist_append(list, (name + ": " + value).c_str());
    }
    // No "100-continue" round trip before a body.
    list = curl_slist_append(list, "Expect:");
    headers.reset(list);
    Body body{&response.body, false};
    curl_easy_setopt(c, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, list);
    if (!request.body.empty() || request.method == "PUT") {
      curl_easy_setopt(c, CURLOPT_POSTFIELDS, request.body.data());
      curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE,
                       static_cast<curl_off_t>(request.body.size()));
    }
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 10L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, 120L);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    if (!user_.empty()) {
      curl_easy_setopt(c, CURLOPT_HTTPAUTH, CURLAUTH_BASIC | CURLAUTH_DIGEST);
      curl_easy_setopt(c, CURLOPT_USERNAME, user_.c_str());
      curl_easy_setopt(c, CURLOPT_PASSWORD, password_.c_str());
    }
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &CurlTransport::Write);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &CurlTransport::Header);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &response.headers);
    const CURLcode result = curl_easy_perform(c);
    if (body.tooLarge) {
      response.error = "the answer is larger than any calendar";
      response.body.clear();
      return response;
    }
    if (result != CURLE_OK) {
      response.error = curl_easy_strerror(result);
      response.body.clear();
      return response;
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
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
  std::unique_ptr<CURL, CurlDeleter> curl_;
};

}  // namespace

std::unique_ptr<store::HttpTransport> MakeCurlTransport(const std::string& user,
                                                        const std::string& password) {
  return std::make_unique<CurlTransport>(user, password);
}

}  // namespace cli
