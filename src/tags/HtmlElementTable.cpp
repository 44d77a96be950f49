// Today's HTML elements (the living standard's list) with their own attributes,
// and the values of the enumerated attributes. Obsolete elements and attributes
// are left out: the program's own tag catalogue keeps the old ones.
#include "tags/HtmlElementTable.h"

namespace HtmlElementTable {

namespace {

const Element kElements[] = {
    // document and metadata
    {"html", ""},
    {"head", ""},
    {"title", ""},
    {"base", "href target"},
    {"link", "href crossorigin rel as media integrity hreflang type referrerpolicy sizes imagesrcset imagesizes "
             "blocking color disabled fetchpriority"},
    {"meta", "name http-equiv content charset media"},
    {"style", "media blocking"},
    // sections
    {"body", ""},
    {"article", ""},
    {"section", ""},
    {"nav", ""},
    {"aside", ""},
    {"h1", ""},
    {"h2", ""},
    {"h3", ""},
    {"h4", ""},
    {"h5", ""},
    {"h6", ""},
    {"hgroup", ""},
    {"header", ""},
    {"footer", ""},
    {"address", ""},
    // grouping content
    {"p", ""},
    {"hr", ""},
    {"pre", ""},
    {"blockquote", "cite"},
    {"ol", "reversed start type"},
    {"ul", ""},
    {"menu", ""},
    {"li", "value"},
    {"dl", ""},
    {"dt", ""},
    {"dd", ""},
    {"figure", ""},
    {"figcaption", ""},
    {"main", ""},
    {"search", ""},
    {"div", ""},
    // text-level semantics
    {"a", "href target download ping rel hreflang type referrerpolicy"},
    {"em", ""},
    {"strong", ""},
    {"small", ""},
    {"s", ""},
    {"cite", ""},
    {"q", "cite"},
    {"dfn", ""},
    {"abbr", ""},
    {"ruby", ""},
    {"rt", ""},
    {"rp", ""},
    {"data", "value"},
    {"time", "datetime"},
    {"code", ""},
    {"var", ""},
    {"samp", ""},
    {"kbd", ""},
    {"sub", ""},
    {"sup", ""},
    {"i", ""},
    {"b", ""},
    {"u", ""},
    {"mark", ""},
    {"bdi", ""},
    {"bdo", ""},
    {"span", ""},
    {"br", ""},
    {"wbr", ""},
    // edits
    {"ins", "cite datetime"},
    {"del", "cite datetime"},
    // embedded content
    {"picture", ""},
    {"source", "type media src srcset sizes width height"},
    {"img", "alt src srcset sizes crossorigin usemap ismap width height referrerpolicy decoding loading "
            "fetchpriority"},
    {"iframe", "src srcdoc name sandbox allow allowfullscreen width height referrerpolicy loading"},
    {"embed", "src type width height"},
    {"object", "data type name form width height"},
    {"video", "src crossorigin poster preload autoplay playsinline loop muted controls width height"},
    {"audio", "src crossorigin preload autoplay loop muted controls"},
    {"track", "kind src srclang label default"},
    {"map", "name"},
    {"area", "alt coords shape href target download ping rel referrerpolicy"},
    // tables
    {"table", ""},
    {"caption", ""},
    {"colgroup", "span"},
    {"col", "span"},
    {"tbody", ""},
    {"thead", ""},
    {"tfoot", ""},
    {"tr", ""},
    {"td", "colspan rowspan headers"},
    {"th", "colspan rowspan headers scope abbr"},
    // forms
    {"form", "accept-charset action autocomplete enctype method name novalidate target rel"},
    {"label", "for"},
    {"input", "accept alpha alt autocomplete checked colorspace dirname disabled form formaction formenctype "
              "formmethod formnovalidate formtarget height list max maxlength min minlength multiple name "
              "pattern placeholder popovertarget popovertargetaction readonly required size src step type "
              "value width"},
    {"button", "command commandfor disabled form formaction formenctype formmethod formnovalidate formtarget "
               "name popovertarget popovertargetaction type value"},
    {"select", "autocomplete disabled form multiple name required size"},
    {"datalist", ""},
    {"optgroup", "disabled label"},
    {"option", "disabled label selected value"},
    {"textarea", "autocomplete cols dirname disabled form maxlength minlength name placeholder readonly "
                 "required rows wrap"},
    {"output", "for form name"},
    {"progress", "value max"},
    {"meter", "value min max low high optimum"},
    {"fieldset", "disabled form name"},
    {"legend", ""},
    // interactive elements
    {"details", "name open"},
    {"summary", ""},
    {"dialog", "open closedby"},
    // scripting
    {"script", "src type nomodule async defer blocking crossorigin integrity referrerpolicy fetchpriority"},
    {"noscript", ""},
    {"template", "shadowrootmode shadowrootdelegatesfocus shadowrootclonable shadowrootserializable"},
    {"slot", "name"},
    {"canvas", "width height"},
};

const char *const kTargets = "_blank _self _parent _top";
const char *const kReferrerPolicies = "no-referrer no-referrer-when-downgrade same-origin origin strict-origin "
                                      "origin-when-cross-origin strict-origin-when-cross-origin unsafe-url";
const char *const kEnctypes = "application/x-www-form-urlencoded multipart/form-data text/plain";
const char *const kAutofill = "on off name honorific-prefix given-name additional-name family-name "
                              "honorific-suffix nickname username new-password current-password one-time-code "
                              "organization-title organization street-address address-line1 address-line2 "
                              "address-level2 address-level1 country country-name postal-code cc-name "
                              "cc-number cc-exp cc-csc language bday sex url photo tel email";

const Values kValues[] = {
    // global attributes
    {"*", "dir", "ltr rtl auto"},
    {"*", "autocapitalize", "none off sentences on words characters"},
    {"*", "autocorrect", "on off"},
    {"*", "contenteditable", "true false plaintext-only"},
    {"*", "draggable", "true false"},
    {"*", "enterkeyhint", "enter done go next previous search send"},
    {"*", "hidden", "hidden until-found"},
    {"*", "inputmode", "none text tel url email numeric decimal search"},
    {"*", "popover", "auto manual hint"},
    {"*", "spellcheck", "true false"},
    {"*", "translate", "yes no"},
    {"*", "writingsuggestions", "true false"},
    // links and resources
    {"a area base form", "target", kTargets},
    {"input button", "formtarget", kTargets},
    {"link", "rel", "alternate author canonical dns-prefetch expect help icon license manifest modulepreload "
                    "next pingback preconnect prefetch preload prev privacy-policy search stylesheet "
                    "terms-of-service"},
    {"a area", "rel", "alternate author bookmark external help license next nofollow noopener noreferrer opener "
                      "prev privacy-policy search tag terms-of-service"},
    {"form", "rel", "external help license next nofollow noopener noreferrer opener prev search"},
    {"link", "as", "audio document embed fetch font image object script style track video worker"},
    {"link img video audio script", "crossorigin", "anonymous use-credentials"},
    {"a area img iframe link script", "referrerpolicy", kReferrerPolicies},
    {"link img script", "fetchpriority", "high low auto"},
    {"link style script", "blocking", "render"},
    {"img iframe", "loading", "lazy eager"},
    {"img", "decoding", "sync async auto"},
    {"meta", "http-equiv", "content-type default-style refresh x-ua-compatible content-security-policy"},
    {"meta", "name", "application-name author description generator keywords referrer theme-color "
                     "color-scheme viewport robots"},
    {"meta", "charset", "utf-8"},
    {"iframe", "sandbox", "allow-downloads allow-forms allow-modals allow-orientation-lock allow-pointer-lock "
                          "allow-popups allow-popups-to-escape-sandbox allow-presentation allow-same-origin "
                          "allow-scripts allow-top-navigation allow-top-navigation-by-user-activation "
                          "allow-top-navigation-to-custom-protocols"},
    // media
    {"video audio", "preload", "none metadata auto"},
    {"track", "kind", "subtitles captions descriptions chapters metadata"},
    {"area", "shape", "default rect circle poly"},
    // lists and tables
    {"ol", "type", "1 a A i I"},
    {"th", "scope", "row col rowgroup colgroup"},
    // forms
    {"input", "type", "hidden text search tel url email password date month week time datetime-local number "
                      "range color checkbox radio file submit image reset button"},
    {"button", "type", "submit reset button"},
    {"form", "method", "get post dialog"},
    {"input button", "formmethod", "get post dialog"},
    {"form", "enctype", kEnctypes},
    {"input button", "formenctype", kEnctypes},
    {"form", "autocomplete", "on off"},
    {"input select textarea", "autocomplete", kAutofill},
    {"input button", "popovertargetaction", "toggle show hide"},
    {"button", "command", "toggle-popover show-popover hide-popover close request-close show-modal"},
    {"input", "colorspace", "limited-srgb display-p3"},
    {"textarea", "wrap", "soft hard"},
    // interactive elements and scripting
    {"dialog", "closedby", "any closerequest none"},
    {"script", "type", "module importmap speculationrules text/javascript"},
    {"template", "shadowrootmode", "open closed"},
};

} // namespace

std::span<const Element> elements() { return kElements; }

std::span<const Values> values() { return kValues; }

const char *globalAttributes()
{
    return "accesskey autocapitalize autocorrect autofocus class contenteditable dir draggable enterkeyhint hidden "
           "id inert inputmode is itemid itemprop itemref itemscope itemtype lang nonce popover slot spellcheck "
           "style tabindex title translate writingsuggestions";
}

const char *eventAttributes()
{
    return "onabort onauxclick onbeforeinput onbeforematch onbeforetoggle onblur oncancel oncanplay "
           "oncanplaythrough onchange onclick onclose oncontextlost oncontextmenu oncontextrestored oncopy "
           "oncuechange oncut ondblclick ondrag ondragend ondragenter ondragleave ondragover ondragstart ondrop "
           "ondurationchange onemptied onended onerror onfocus onformdata oninput oninvalid onkeydown onkeypress "
           "onkeyup onload onloadeddata onloadedmetadata onloadstart onmousedown onmouseenter onmouseleave "
           "onmousemove onmouseout onmouseover onmouseup onpaste onpause onplay onplaying onprogress onratechange "
           "onreset onresize onscroll onscrollend onsecuritypolicyviolation onseeked onseeking onselect "
           "onslotchange onstalled onsubmit onsuspend ontimeupdate ontoggle onvolumechange onwaiting onwheel";
}

const char *windowEventAttributes()
{
    return "onafterprint onbeforeprint onbeforeunload onhashchange onlanguagechange onmessage onmessageerror "
           "onoffline ononline onpagehide onpagereveal onpageshow onpageswap onpopstate onrejectionhandled "
           "onstorage onunhandledrejection onunload";
}

} // namespace HtmlElementTable
