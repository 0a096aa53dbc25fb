#pragma once

class InstallerSession;
class ProductRegistry;

// Sets INSTANCEFOUND to "FOUND" when the requested engine instance exists already; returns 0 in every case.
unsigned CheckInstance(InstallerSession& session, const ProductRegistry& registry);
