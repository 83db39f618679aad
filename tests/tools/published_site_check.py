#!/usr/bin/env python3
"""The sample collection published with korvel-tool and opened in a real browser.

Every image of the list page and of each radio page must load, and every link of the list page
must open its radio page; the radio whose pictures are missing has pages without any image. A screenshot of the list page is saved. Without a browser that can be
started (Chromium and its driver, Selenium), the check is skipped and says why.

usage: published_site_check.py KORVEL_TOOL SAMPLE_DIR SCREENSHOT_DIR
"""
import os
import subprocess
import sys
import tempfile
from urllib.parse import unquote

SKIP = 77


def skip(reason):
    print(f"SKIPPED: no browser could be started ({reason}); the published site was not checked in a browser.")
    sys.exit(SKIP)


def start_browser():
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
    except ImportError as error:
        skip(f"Selenium is not installed: {error}")
    options = webdriver.ChromeOptions()
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--allow-file-access-from-files", "--window-size=1280,1600"):
        options.add_argument(flag)
    options.add_argument("--user-data-dir=" + tempfile.mkdtemp(prefix="korvel-chromium-"))
    for binary in ("/usr/bin/chromium", "/usr/bin/chromium-browser", "/usr/bin/google-chrome"):
        if os.path.exists(binary):
            options.binary_location = binary
            break
    driver_path = next((p for p in ("/usr/bin/chromedriver", "/usr/lib/chromium/chromedriver") if os.path.exists(p)),
                       None)
    try:
        service = Service(driver_path) if driver_path else Service()
        return webdriver.Chrome(service=service, options=options)
    except Exception as error:  # any failure to start is a missing browser, not a failed check
        skip(f"{type(error).__name__}: {str(error).splitlines()[0] if str(error) else ''}")


IMAGES = "return Array.from(document.images).map(i => [i.getAttribute('src'), i.complete, i.naturalWidth]);"


def broken_images(driver):
    return [(src, width) for src, complete, width in driver.execute_script(IMAGES) if not complete or width <= 0]


def main():
    tool, sample, screenshots = sys.argv[1:4]
    failures = []
    with tempfile.TemporaryDirectory(prefix="korvel-site-") as parent:
        # The subdirectories, and the root itself, are made by publishing.
        root = os.path.join(parent, "site")
        # Every radio; the one without picture files (the Emerson 543) is named once and its pages
        # are published without pictures.
        run = subprocess.run([tool, "publish", sample, root, "--descriptions"], capture_output=True, text=True)
        lines = run.stderr.splitlines()
        if run.returncode != 0 or len(lines) != 1 or not lines[0].startswith("Warning: The pictures '") \
                or "Emerson 543" not in lines[0]:
            print(f"korvel-tool publish: exit {run.returncode}\n{run.stderr}")
            return 1
        pages = sorted(n for n in os.listdir(os.path.join(root, "html")) if n != "radios.htm")
        without_pictures = "emerson_543.htm"

        driver = start_browser()
        try:
            driver.get("file://" + os.path.join(root, "html", "radios.htm"))
            if driver.title != "Radio List":
                failures.append(f"list page title: {driver.title!r}")
            images = driver.execute_script(IMAGES)
            if len(images) != len(pages) - 1:
                failures.append(f"{len(images)} images on the list page for {len(pages)} radio pages, one without")
            failures += [f"list page: image {src} does not load" for src, _ in broken_images(driver)]
            os.makedirs(screenshots, exist_ok=True)
            shot = os.path.join(screenshots, "published_list_page.png")
            driver.save_screenshot(shot)

            links = driver.execute_script("return Array.from(document.links).map(a => a.href);")
            if sorted(unquote(os.path.basename(link)) for link in links) != pages:
                failures.append("the list page's links are not the radio pages")
            for link in links:
                driver.get(link)
                heading = driver.execute_script("const h = document.querySelector('h1'); return h ? h.textContent : '';")
                if " Model " not in heading or driver.title != heading:
                    failures.append(f"{link}: no radio page (title {driver.title!r})")
                if bool(driver.execute_script(IMAGES)) == link.endswith("/" + without_pictures):
                    failures.append(f"{link}: pictures where there should be none, or none where there should be")
                failures += [f"{link}: image {src} does not load" for src, _ in broken_images(driver)]
                if link.endswith("/philco_90.htm"):  # a radio with extra pictures
                    driver.save_screenshot(os.path.join(screenshots, "published_radio_page.png"))
                if link.endswith("/" + without_pictures):
                    driver.save_screenshot(os.path.join(screenshots, "published_page_without_pictures.png"))
        finally:
            driver.quit()

    for failure in failures:
        print("FAILED:", failure)
    print(f"{len(pages)} radio pages opened from the list page; screenshot {shot}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
