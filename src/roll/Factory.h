#pragma once

#include <memory>

// Makes new objects for a pool.
template <typename Product>
class Factory
{
public:
    virtual std::shared_ptr<Product> create() = 0;

protected:
    ~Factory() = default;
};
